// Line numbers and labels at the start of a line.
#include "indent/LineLabels.h"

#include "indent/KeywordTables.h"

namespace kv {

namespace {

// Statements that may stand alone before a colon, so "Else:" is a statement
// followed by a separator, not a label.
constexpr VbStringView kStandAlone[] = {u"Beep", u"Close",     u"Do",  u"Else",  u"End",    u"Loop",   u"Next",
                                        u"Randomize", u"Rem", u"Reset", u"Resume", u"Return", u"Stop", u"Wend"};

// What may follow a label: white space, a comment or the line's end.
bool EndsThere(VbStringView line, std::size_t i) { return i == line.size() || IsWhite(line[i]) || line[i] == u'\''; }

}  // namespace

LineLabel f_LineLabel(VbStringView line) {
  LineLabel label;
  std::size_t i = 0;
  while (i < line.size() && IsWhite(line[i])) ++i;
  label.at = i;
  if (i == line.size()) return {};
  std::size_t j = i;
  if (IsAsciiDigit(line[i])) {
    while (j < line.size() && IsAsciiDigit(line[j])) ++j;
    if (EndsThere(line, j)) {
      label.number = true;
    } else if (line[j] == u':' && EndsThere(line, j + 1)) {
      ++j;
    } else {
      return {};
    }
  } else {
    // A name begins with a letter; "_" and digits may follow.
    if (line[i] == u'_' || !IsVbNameChar(line[i])) return {};
    while (j < line.size() && IsVbNameChar(line[j])) ++j;
    if (j == line.size() || line[j] != u':' || !EndsThere(line, j + 1)) return {};
    VbStringView name = line.substr(i, j - i);
    for (VbStringView word : kStandAlone) {
      if (EqualsNoCase(name, word)) return {};
    }
    ++j;
  }
  label.length = j - i;
  while (j < line.size() && IsWhite(line[j])) ++j;
  label.rest = j;
  return label;
}

}  // namespace kv
