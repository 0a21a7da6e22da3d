// Helpers for the organizing commands' tables: a module is written as one
// UTF-8 string whose lines are separated by "|", and a command runs on it in
// a fresh in-memory IDE through the dispatcher, the caret given and read back.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "Harness.h"

namespace kv {

inline void PrintTo(const Selection& s, std::ostream* os) {
  *os << "{" << s.startLine << "," << s.startColumn << "," << s.endLine << "," << s.endColumn << "}";
}

namespace test {

// "a|b" -> lines a and b; "" -> no line at all.
inline std::vector<VbString> Bars(std::string_view utf8) {
  std::vector<VbString> lines;
  if (utf8.empty()) return lines;
  std::size_t from = 0;
  for (;;) {
    std::size_t at = utf8.find('|', from);
    lines.push_back(U(utf8.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from)));
    if (at == std::string_view::npos) return lines;
    from = at + 1;
  }
}

inline std::string Bars(const std::vector<VbString>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += '|';
    out += VbToUtf8(lines[i]);
  }
  return out;
}

// The module text of a "|" string, lines joined with CR LF.
inline VbString Text(std::string_view utf8) { return JoinCrLf(Bars(utf8)); }
// A text's lines as one "|" string.
inline std::string TextBars(VbStringView text) {
  const std::vector<VbStringView> pieces = SplitCrLf(text);
  return Bars(std::vector<VbString>(pieces.begin(), pieces.end()));
}

// One run of command n on a module, as a click starts it.
struct Outcome {
  std::string module;
  Selection caret;
  bool ran = false;
  std::vector<VbString> messages;
};

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
