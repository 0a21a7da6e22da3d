// Helpers for the organizing commands' tables: a command runs on a module
// written as one "|" string (support/Bars.h) in a fresh in-memory IDE through
// the dispatcher, the caret given and read back.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Harness.h"
#include "support/Bars.h"

namespace kv {

inline void PrintTo(const Selection& s, std::ostream* os) {
  *os << "{" << s.startLine << "," << s.startColumn << "," << s.endLine << "," << s.endColumn << "}";
}

namespace test {

// One run of command n on a module, as a click starts it.
struct Outcome { std::string module; Selection caret; bool ran = false; std::vector<VbString> messages; };

inline Outcome RunOn(std::int16_t n, std::string_view module, Selection caret, Harness& h) {
  h.OpenModuleLines(Bars(module), caret);
  Outcome out;
  out.ran = h.RunCommand(n);
  out.module = Bars(h.Lines());
  out.caret = h.Caret();
  out.messages = h.Messages();
  return out;
}

inline Outcome RunOn(std::int16_t n, std::string_view module, Selection caret) {
  Harness h;
  return RunOn(n, module, caret, h);
}

}  // namespace test
}  // namespace kv
