// The kestrova command: parses the command line with CLI11 and runs the
// chosen subcommand.
#include "cli/Cli.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/Subcommands.h"

#ifndef KV_VERSION
#define KV_VERSION "unknown"
#endif

namespace kv::cli {

int Main(int argc, char** argv) {
  Console console{std::cin, std::cout, std::cerr};
  CliState state{console, {}};
  CLI::App app("Kestrova indents and tidies VB6 code: module files, projects and folders.\n"
               "Exit codes: 0 done, 1 --check/--diff found changes, 2 bad usage or unusable input, 3 a command "
               "failed.\n"
               "Team options: a .kestrova.ini beside the files (or in a folder above) overrides the user's "
               "options; its CodePage key names the code page.",
               "kestrova");
  app.set_version_flag("--version", std::string("kestrova ") + KV_VERSION);
  app.require_subcommand(1);
  AddRunSubcommand(app, state);
  AddIndentSubcommand(app, state);
  AddMenusSubcommand(app, state);
  AddOptionsSubcommands(app, state);
  AddLspSubcommand(app, state);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e, console.out, console.err);
    return code == 0 ? kExitOk : kExitUsage;
  }
  return state.action ? state.action() : kExitUsage;
}

}  // namespace kv::cli
