// kestrova run COMMAND PATH...: any menu command, by number or name.
#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "cli/Cli.h"
#include "cli/CommandNames.h"
#include "cli/Subcommands.h"
#include "host/modMenus.h"

namespace kv::cli {

void AddRunSubcommand(CLI::App& app, CliState& state) {
  auto options = std::make_shared<Options>();
  auto command = std::make_shared<std::string>();
  std::string names;
  for (const CommandName& c : CommandNames()) names += fmt::format("  {:>2}  {:<20} {}\n", c.number, c.name, c.summary);

  CLI::App* run = app.add_subcommand("run", "run a menu command on module files, projects or standard input");
  run->add_option("COMMAND", *command, "the command's number or name (see below)")->required();
  run->add_option("PATH", options->paths, "module files (.bas .cls .frm ...), projects (.vbp), folders, or - for "
                                          "standard input")
      ->required();
  AddSharedOptions(*run, *options);
  run->footer("Commands:\n" + names +
              "\nIn a project the command runs on the active code pane: --module, else the first module that "
              "holds code.");
  run->callback([options, command, &state] {
    state.action = [options, command, &state]() -> int {
      auto n = ParseCommand(*command);
      if (!n) {
        state.console.err << fmt::format("kestrova: unknown command '{}'; see kestrova run --help\n", *command);
        return kExitUsage;
      }
      if (*n < 1 || *n > kCommandCount) {
        state.console.err << fmt::format(
            "kestrova: there is no command {}; the menu commands are 1 to {} (see kestrova run --help)\n", *command,
            kCommandCount);
        return kExitUsage;
      }
      return RunCommandOnTargets(*options, {*n, *n}, state.console);
    };
  });
}

}  // namespace kv::cli
