// kestrova lsp: the language server on standard input and output.
#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>
#include <stdexcept>

#include "cli/Cli.h"
#include "cli/LspServer.h"
#include "cli/Subcommands.h"

namespace kv::cli {

void AddLspSubcommand(CLI::App& app, CliState& state) {
  CLI::App* lsp = app.add_subcommand("lsp", "serve editors as a language server on standard input and output");
  lsp->footer("Formatting is Indent Module; a .kestrova.ini beside the file (or above it) and the user's options "
              "apply, the editor's tab size only when neither names IndentSpaces.");
  lsp->callback([&state] {
    state.action = [&state] {
      std::optional<lsp::LspServer> server;
      try {
        server.emplace(state.console.out);
      } catch (const std::runtime_error& e) {
        state.console.err << "kestrova: lsp: " << e.what() << "\n";
        return kExitFailed;
      }
      return server->Serve(state.console.in);
    };
  });
}

}  // namespace kv::cli
