// The live example of the options window: a short procedure indented the
// way the options shown in the window would indent it.
//
// It does not run the indentation routine. It applies a fixed set of steps,
// one or two per option, to a fixed text of nineteen lines, so the example
// can be rebuilt on every keystroke from the window's controls alone.
#pragma once

#include <array>

#include "support/text/VbText.h"

namespace kv {

// The options as the window's controls hold them.
struct ExampleOptions {
  VbString spaces;       // text of the spaces box: 0 to 10, or empty
  VbString alignColumn;  // text of the column box: 0 to 100, or empty
  bool indentProc = false;
  bool indentFirst = false;
  bool indentCmt = false;
  bool indentCase = false;
  bool alignEOL = false;
};

inline constexpr std::size_t kExampleLines = 19;
using ExampleText = std::array<VbString, kExampleLines>;

// The nineteen lines before any indentation.
const ExampleText& ExampleSource();
// The nineteen lines indented by `options`.
ExampleText BuildExample(const ExampleOptions& options);

}  // namespace kv
