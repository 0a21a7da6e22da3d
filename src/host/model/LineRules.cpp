// The editor's line rules: splitting text into lines and the margin of labels
// and line numbers.
#include "host/model/LineRules.h"

#include "host/model/VbChars.h"

namespace kv::model {

namespace {

// Statements that may stand alone before a colon, so "Else:" is a statement
// followed by a separator, not a label.
constexpr VbStringView kStandAlone[] = {u"Beep", u"Close",     u"Do",  u"Else",  u"End",    u"Loop",   u"Next",
                                        u"Randomize", u"Rem", u"Reset", u"Resume", u"Return", u"Stop", u"Wend"};

bool IsStandAlone(VbStringView name) {
  for (VbStringView word : kStandAlone) {
    if (EqualsNoCase(name, word)) return true;
  }
  return false;
}

}  // namespace

std::vector<VbStringView> SplitModuleText(VbStringView text) {
  std::vector<VbStringView> lines = SplitCrLf(text);
  // A final CR LF ends the last line: Split left an empty piece after it.
  if (lines.size() > 1 && lines.back().empty() && text.ends_with(kCrLf)) lines.pop_back();
  return lines;
}

bool ContinuesOnNextLine(VbStringView line) {
  VbStringView trimmed = TrimView(line);
  return trimmed.size() >= 2 && trimmed.ends_with(u" _");
}

bool StartsWithLabelOrLineNumber(VbStringView line) {
  std::size_t i = SkipWhite(line);
  if (i == line.size()) return false;
  if (IsAsciiDigit(line[i])) {
    while (i < line.size() && IsAsciiDigit(line[i])) ++i;
    return i == line.size() || IsWhite(line[i]) || line[i] == u':';
  }
  if (!IsLetter(line[i])) return false;
  std::size_t start = i;
  while (i < line.size() && IsNameChar(line[i])) ++i;
  if (i == line.size() || line[i] != u':') return false;
  // "name:=" is a named argument, never a label.
  if (i + 1 < line.size() && line[i + 1] == u'=') return false;
  return !IsStandAlone(line.substr(start, i - start));
}

VbStringView AtMargin(VbStringView line, const VbStringView* previous) {
  // Most lines are at the margin already: one look at the first character.
  if (line.empty() || !IsWhite(line[0]) || !StartsWithLabelOrLineNumber(line)) return line;
  if (previous && ContinuesOnNextLine(*previous)) return line;
  return line.substr(SkipWhite(line));
}

}  // namespace kv::model
