// Running a menu command over the command line's targets: each target is
// loaded into a headless IDE session (one serves many targets, one or more per
// --jobs thread), the command is started, and the files whose bytes change
// are written back, listed (--check) or shown as a diff (--diff), in the order
// of the targets. Standard input ("-") goes to standard output.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "cli/Options.h"

namespace kv::cli {

struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// The command for each kind of target: `run N` uses N for both; `indent` uses
// Indent Module for module files and Indent Project for projects.
struct CommandChoice {
  std::int16_t forModule;
  std::int16_t forProject;
};

// Returns the exit code (Cli.h).
int RunCommandOnTargets(const Options& options, CommandChoice command, Console& console);

}  // namespace kv::cli
