// The options the kestrova subcommands share, and how CLI11 fills them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/modGlobals.h"

namespace CLI {
class App;
}

namespace kv::cli {

struct Options {
  std::vector<std::string> paths;
  std::optional<Selection> caret;       // --caret L:C[:L:C]
  std::optional<std::string> settings;  // --settings FILE
  std::optional<std::string> report;    // --report FILE
  std::optional<std::string> encoding;  // --encoding NAME
  std::optional<std::string> module;    // --module NAME|FILE
  std::optional<std::string> stdinName; // --stdin-name NAME
  unsigned jobs = 0;                    // --jobs N; 0: one per processor core
  bool check = false;
  bool diff = false;
  bool quiet = false;
};

// Adds the shared options (all but the paths) to a subcommand.
void AddSharedOptions(CLI::App& command, Options& options);

// "L:C" or "L:C:L:C"; nothing when the text is neither.
std::optional<Selection> ParseCaret(std::string_view text);

}  // namespace kv::cli
