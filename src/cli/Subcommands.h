// The subcommands of kestrova. Each file that provides one has an Add...
// function here; Cli.cpp calls them all. A subcommand's callback sets the
// action Main runs after parsing.
#pragma once

#include <functional>

#include "cli/CommandRun.h"

namespace CLI {
class App;
}

namespace kv::cli {

struct CliState {
  Console& console;
  std::function<int()> action;  // set by the chosen subcommand
};

void AddRunSubcommand(CLI::App& app, CliState& state);     // RunSubcommand.cpp
void AddIndentSubcommand(CLI::App& app, CliState& state);  // IndentSubcommand.cpp
void AddMenusSubcommand(CLI::App& app, CliState& state);   // MenusCommand.cpp
void AddOptionsSubcommands(CLI::App& app, CliState& state);  // OptionsCommand.cpp: options, about
void AddLspSubcommand(CLI::App& app, CliState& state);     // LspSubcommand.cpp

}  // namespace kv::cli
