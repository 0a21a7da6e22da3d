// kestrova run COMMAND PATH...: any menu command, by number or name.
#include <CLI/CLI.hpp>
#include <algorithm>
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
  // Every menu command; one without a name here is shown by its menu caption.
  for (const CommandEntry& entry : CommandTable()) {
    auto named = std::find_if(CommandNames().begin(), CommandNames().end(),
                              [&](const CommandName& c) { return c.number == entry.number; });
    if (named != CommandNames().end()) {
      names += fmt::format("  {:>2}  {:<20} {}\n", entry.number, named->name, named->summary);
    } else {
      std::string caption = VbToUtf8(entry.english);
      names += fmt::format("  {:>2}  {:<20} {}\n", entry.number, "", caption.substr(caption.find("] ") + 2));
    }
  }

  CLI::App* run = app.add_subcommand("run", "run a menu command on module files, projects or standard input");
  run->add_option("COMMAND", *command, "the command's number or name (see below)")->required();
  run->add_option("PATH", options->paths, "module files (.bas .cls .frm ...), projects (.vbp), folders, or - for "
                                          "standard input")
      ->required();
  AddSharedOptions(*run, *options);
  run->footer("Commands:\n" + names +
              "\nIn a project the command runs on the active code pane: --module, else the first module that "
              "holds code.\nA command the add-in has no operation for says so on standard error and exits 0.");
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
