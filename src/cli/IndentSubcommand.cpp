// kestrova indent PATH...: Indent Module for each module file, Indent Project
// for each project.
#include <CLI/CLI.hpp>

#include "cli/Subcommands.h"
#include "organize/modOrganize.h"

namespace kv::cli {

void AddIndentSubcommand(CLI::App& app, CliState& state) {
  auto options = std::make_shared<Options>();
  CLI::App* indent = app.add_subcommand("indent", "indent module files, projects, folders or standard input");
  indent->add_option("PATH", options->paths,
                     "a module file gets Indent Module, a project (.vbp) Indent Project, a folder every module "
                     "file below it, - standard input")
      ->required();
  AddSharedOptions(*indent, *options);
  indent->callback([options, &state] {
    state.action = [options, &state] {
      return RunCommandOnTargets(*options, {cmd::kIndentModule, cmd::kIndentProject}, state.console);
    };
  });
}

}  // namespace kv::cli
