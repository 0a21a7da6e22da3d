// kestrova lsp: the language server on standard input and output.
#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/LspServer.h"
#include "cli/Subcommands.h"

namespace kv::cli {

void AddLspSubcommand(CLI::App& app, CliState& state) {
  CLI::App* lsp = app.add_subcommand("lsp", "serve editors as a language server on standard input and output");
  lsp->footer("Formatting is Indent Module; a .kestrova.ini beside the file (or above it) and the user's options "
              "apply, the editor's tab size only when neither names IndentSpaces.");
  lsp->callback([&state] {
    state.action = [&state] {
      lsp::LspServer server(state.console.out);
      return server.Serve(state.console.in);
    };
  });
}

}  // namespace kv::cli
