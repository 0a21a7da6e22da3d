// Modules written as one UTF-8 string whose lines are separated by "|", so
// that a table row holds a whole module: "a|b" is lines a and b, "" none.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/text/VbText.h"

namespace kv::test {

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

// The module text of a "|" string, lines joined with CR LF, and back.
inline VbString Text(std::string_view utf8) { return JoinCrLf(Bars(utf8)); }
inline std::string TextBars(VbStringView text) {
  const std::vector<VbStringView> pieces = SplitCrLf(text);
  return Bars(std::vector<VbString>(pieces.begin(), pieces.end()));
}

}  // namespace kv::test
