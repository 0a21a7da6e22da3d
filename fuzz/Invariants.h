// What must hold whatever a module holds: the invariants the fuzz targets
// assert after each command, and the regression test after each replay.
//
// A check that fails throws Violation, naming what broke and the lines
// involved. The fuzz entry point turns that into a crash the fuzzer reports;
// the regression test into a test failure.
//
// Commands write through the IDE's editor, which keeps labels and line
// numbers at the margin; every comparison of a line that a command may have
// written back therefore looks at both sides through Canon.
//
// String literals and comments are found here by a reader of our own, as VB
// reads a module line by line, so that the checks do not share the mistakes
// of the code they check.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/LineRules.h"
#include "indent/LineLabels.h"
#include "support/text/VbText.h"

namespace kv::fuzz {

// An invariant that does not hold.
class Violation : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// A line as readable UTF-8 in double quotes, control characters escaped.
inline std::string Show(VbStringView text) {
  std::string out = "\"";
  for (char16_t c : text) {
    if (c == u'\t') {
      out += "\\t";
    } else if (c == u'\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) + "0123456789abcdef"[c & 15];
    } else if (c == u'"' || c == u'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else {
      out += VbToUtf8(VbStringView(&c, 1));
    }
  }
  return out + "\"";
}

inline std::string Show(const std::vector<VbString>& lines) {
  std::string out = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += ", ";
    out += Show(lines[i]);
  }
  return out + "]";
}

[[noreturn]] inline void Fail(const std::string& what) { throw Violation(what); }

// Fails unless both texts are the same, naming the line.
inline void ExpectLine(VbStringView expected, VbStringView actual, std::size_t index, const std::string& what) {
  if (expected != actual) {
    Fail(what + ": line " + std::to_string(index + 1) + " is " + Show(actual) + ", expected " + Show(expected));
  }
}

// ---- Lines ------------------------------------------------------------------

constexpr bool IsWhite(char16_t c) { return c == kBlank || c == kTab; }

inline VbStringView SkipWhite(VbStringView line) {
  std::size_t i = 0;
  while (i < line.size() && IsWhite(line[i])) ++i;
  return line.substr(i);
}

// The line as the editor stores it wherever it stands: a label or a line
// number at the margin.
inline VbStringView Canon(VbStringView line) {
  return model::StartsWithLabelOrLineNumber(line) ? SkipWhite(line) : line;
}

inline std::vector<VbString> CanonLines(const std::vector<VbString>& lines) {
  std::vector<VbString> out;
  out.reserve(lines.size());
  for (const VbString& line : lines) out.emplace_back(Canon(line));
  return out;
}

// Fails unless the lines are the same, labels aside.
inline void ExpectSameLines(const std::vector<VbString>& expected, const std::vector<VbString>& actual,
                            const std::string& what) {
  if (expected.size() != actual.size()) {
    Fail(what + ": " + std::to_string(actual.size()) + " lines " + Show(actual) + ", expected " +
         std::to_string(expected.size()) + " " + Show(expected));
  }
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectLine(Canon(expected[i]), Canon(actual[i]), i, what);
}

// The lines without the blank lines at their end, as the dispatcher prepares
// a module. Lines that are all blank keep their first, unless it is empty:
// the module's text is then empty, and so is the module.
inline std::vector<VbString> DropTrailingBlankLines(std::vector<VbString> lines) {
  std::size_t keep = lines.size();
  while (keep > 0 && IsBlankLine(lines[keep - 1])) --keep;
  if (keep == 0 && !lines.empty() && !lines.front().empty()) keep = 1;
  lines.resize(keep);
  return lines;
}

// The module as the dispatcher prepares it for a command: the blank lines at
// its end dropped and, when there were any, the rest written back through
// the editor, which puts labels and line numbers at the margin.
inline std::vector<VbString> PreparedModule(const std::vector<VbString>& lines) {
  std::vector<VbString> kept = DropTrailingBlankLines(lines);
  if (kept.size() == lines.size()) return kept;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    kept[i] = VbString(model::AtMargin(kept[i], i > 0 ? &kept[i - 1] : nullptr));
  }
  return kept;
}

// ---- Indentation --------------------------------------------------------------

// What indentation keeps of a line: everything but its leading white space,
// the white space after a leading line number or label, its trailing blanks,
// the blanks after a colon and the blanks in front of an end-of-line comment,
// outside string literals. A comment is kept as it is from its apostrophe on.
inline VbString IndentSkeleton(VbStringView line) {
  line = SkipWhite(line);
  while (!line.empty() && line.back() == kBlank) line.remove_suffix(1);
  VbString out;
  out.reserve(line.size());
  if (LineLabel label = f_LineLabel(line); label.length > 0) {
    out.append(line.substr(0, label.length));
    line = line.substr(label.rest);
  }
  bool inString = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char16_t c = line[i];
    if (c == u'"') inString = !inString;
    if (!inString && c == u'\'') {
      while (!out.empty() && out.back() == kBlank) out.pop_back();
      out.append(line.substr(i));
      break;
    }
    out.push_back(c);
    if (!inString && c == u':') {
      while (i + 1 < line.size() && line[i + 1] == kBlank) ++i;
    }
  }
  return out;
}

// Indentation keeps the line count and each line's text but for its white
// space as above, leaves no trailing blank and indents by blanks only. With
// `allWritten` false, lines that stayed as they were may be ones the
// routine was not run over.
inline void CheckIndentKeepsText(const std::vector<VbString>& before, const std::vector<VbString>& after,
                                 bool allWritten = true) {
  if (before.size() != after.size()) {
    Fail("indentation changed the line count from " + std::to_string(before.size()) + " to " +
         std::to_string(after.size()));
  }
  for (std::size_t i = 0; i < before.size(); ++i) {
    const VbStringView line = after[i];
    if (IndentSkeleton(before[i]) != IndentSkeleton(line)) {
      Fail("indentation changed the text of line " + std::to_string(i + 1) + ": " + Show(before[i]) + " became " +
           Show(line));
    }
    // VB6 loads no line past 1,023 characters: indentation never makes one.
    if (line.size() > 1023 && line.size() > before[i].size()) {
      Fail("indentation made line " + std::to_string(i + 1) + " " + std::to_string(line.size()) + " characters long");
    }
    if ((!allWritten || line.size() > 1023) && before[i] == line) continue;  // a long line may stay as it was
    if (!line.empty() && line.back() == kBlank) Fail("indentation left trailing blanks: " + Show(line));
    if (SkipWhite(line).size() != LTrimView(line).size()) {
      Fail("indentation left a tab in the leading white space: " + Show(line));
    }
  }
}

// ---- Literals and comments, as VB reads them ------------------------------------

// Letters, digits and "_", and whatever lies beyond ASCII but for the
// punctuation a module may hold there.
constexpr bool IsNameChar(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
  if (c <= 0xBF || c == 0xD7 || c == 0xF7) return false;
  return !((c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF0F) ||
           (c >= 0xFF1A && c <= 0xFF20) || (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65));
}

// " _" (or a tab and "_") at the end, white space after it aside.
inline bool EndsWithContinuation(VbStringView text) {
  while (!text.empty() && IsWhite(text.back())) text.remove_suffix(1);
  return text.size() >= 2 && text.back() == u'_' && IsWhite(text[text.size() - 2]);
}

// Where the literals and the comment of one line stand.
struct LineParts {
  std::vector<std::pair<std::size_t, std::size_t>> literals;  // [from, to), quotes included
  std::size_t comment = VbStringView::npos;                   // where the comment begins
};

// Reads a module line after line: a straight double quote in code opens a
// literal and the next one closes it (a doubled one stays inside), a line
// ends a literal at the latest; an apostrophe in code, or Rem where a
// statement begins, starts a comment that goes on over the lines it
// continues with " _"; code that ends with " _" goes on in the next line.
// A statement begins at the start of a line that goes on with none, after a
// line number there, after a ":" separator and after Then or Else.
class VbReader {
 public:
  LineParts Next(VbStringView line) {
    LineParts parts;
    if (commentGoesOn_) {
      parts.comment = 0;
      commentGoesOn_ = EndsWithContinuation(line);
      statementGoesOn_ = false;
      return parts;
    }
    bool atStatement = !statementGoesOn_;
    bool first = true;
    bool openLiteral = false;
    const std::size_t n = line.size();
    for (std::size_t i = 0; i < n;) {
      const char16_t c = line[i];
      if (IsWhite(c)) {
        ++i;
        continue;
      }
      if (c == u'"') {
        std::size_t j = i + 1;
        openLiteral = true;
        while (j < n) {
          if (line[j] == u'"' && j + 1 < n && line[j + 1] == u'"') {
            j += 2;
          } else if (line[j] == u'"') {
            ++j;
            openLiteral = false;
            break;
          } else {
            ++j;
          }
        }
        parts.literals.emplace_back(i, j);
        i = j;
        atStatement = first = false;
        continue;
      }
      if (c == u'\'') return Comment(parts, line, i);
      if (IsNameChar(c)) {
        std::size_t j = i;
        while (j < n && IsNameChar(line[j])) ++j;
        const VbStringView word = line.substr(i, j - i);
        if (atStatement && EqualsNoCase(word, u"Rem") && (j == n || IsWhite(line[j]))) return Comment(parts, line, i);
        const bool number = std::all_of(word.begin(), word.end(), [](char16_t d) { return d >= u'0' && d <= u'9'; });
        atStatement = (first && atStatement && number) || EqualsNoCase(word, u"Then") || EqualsNoCase(word, u"Else");
        first = false;
        i = j;
        continue;
      }
      atStatement = c == u':' && !(i + 1 < n && line[i + 1] == u'=');
      first = false;
      ++i;
    }
    commentGoesOn_ = false;
    statementGoesOn_ = !openLiteral && EndsWithContinuation(line);
    return parts;
  }

 private:
  LineParts& Comment(LineParts& parts, VbStringView line, std::size_t at) {
    parts.comment = at;
    commentGoesOn_ = EndsWithContinuation(line.substr(at));
    statementGoesOn_ = false;
    return parts;
  }

  bool commentGoesOn_ = false;
  bool statementGoesOn_ = false;
};

// Every literal and comment of the lines, in order, as one list of texts:
// literals as they stand (with their quotes), comments behind "comment:".
inline std::vector<VbString> LiteralsAndComments(const std::vector<VbString>& lines) {
  std::vector<VbString> out;
  VbReader reader;
  for (const VbString& line : lines) {
    const LineParts parts = reader.Next(line);
    for (auto [from, to] : parts.literals) out.emplace_back(VbStringView(line).substr(from, to - from));
    if (parts.comment != VbStringView::npos) out.push_back(u"comment:" + line.substr(parts.comment));
  }
  return out;
}

// ---- The whole-module text commands ------------------------------------------------

// The headers command 3 sets apart, in its letter case.
inline constexpr VbStringView kBreakHeads[] = {u"Private Sub",      u"Public Sub",      u"Private Function",
                                                u"Public Function", u"Private Property", u"Public Property",
                                                u"Private Type",    u"Public Type"};

// The line with a header of command 3's list at its start put in the list's
// letter case; other lines as they are.
inline VbString HeadInListCase(VbStringView line) {
  const std::size_t at = line.size() - SkipWhite(line).size();
  VbString out(line);
  for (VbStringView head : kBreakHeads) {
    if (StartsWithNoCase(line.substr(at), head)) {
      out.replace(at, head.size(), head);
      break;
    }
  }
  return out;
}

inline std::vector<VbString> NonBlankLines(const std::vector<VbString>& lines) {
  std::vector<VbString> out;
  for (const VbString& line : lines) {
    if (!IsBlankLine(line)) out.emplace_back(Canon(line));
  }
  return out;
}

// Command 3: the non-blank lines stay, in order, each as it was but for the
// letter case of a header it begins with; a blank line it leaves is empty or
// was there before.
inline void CheckDeleteBlankLines(const std::vector<VbString>& before, const std::vector<VbString>& after) {
  const std::vector<VbString> kept = NonBlankLines(before), now = NonBlankLines(after);
  if (kept.size() != now.size()) Fail("delete blank lines changed the non-blank lines: " + Show(now) + " from " + Show(kept));
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (kept[i] != now[i] && HeadInListCase(kept[i]) != now[i]) {
      ExpectLine(kept[i], now[i], i, "delete blank lines changed a non-blank line (counting non-blank lines)");
    }
  }
  std::size_t blanksBefore = before.size() - kept.size();
  for (const VbString& line : after) {
    if (IsBlankLine(line) && !line.empty()) {
      if (blanksBefore == 0) Fail("delete blank lines invented the blank line " + Show(line));
      --blanksBefore;
    }
  }
}

// Command 4: of every run of blank lines the first stays as it was.
inline void CheckMergeBlankLines(const std::vector<VbString>& before, const std::vector<VbString>& after) {
  std::vector<VbString> expected;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (!(IsBlankLine(before[i]) && i > 0 && IsBlankLine(before[i - 1]))) expected.push_back(before[i]);
  }
  ExpectSameLines(expected, after, "merge blank lines");
}

// Command 20: the same lines of the same lengths; inside a literal nothing
// changes, elsewhere a character changes only into its ASCII counterpart.
inline void CheckChineseSymbols(const std::vector<VbString>& before, const std::vector<VbString>& after) {
  static constexpr std::pair<char16_t, char16_t> kTable[] = {
      {u'\uFF08', u'('}, {u'\uFF09', u')'}, {u'\u201C', u'"'}, {u'\u201D', u'"'}, {u'\uFF1E', u'>'},
      {u'\uFF1C', u'<'}, {u'\uFF0C', u','}, {u'\u2014', u'_'}, {u'\u2018', u'\''}, {u'\u2019', u'\''}};
  if (before.size() != after.size()) Fail("punctuation conversion changed the line count: " + Show(after));
  VbReader reader;
  for (std::size_t i = 0; i < before.size(); ++i) {
    // The conversion can make a label of a line ("a（:" becomes "a(:") or stop
    // it being one, which the editor then moves to the margin.
    const std::size_t shift = before[i].size() - SkipWhite(before[i]).size();
    VbStringView was = before[i], now = after[i];
    if (now.size() - SkipWhite(now).size() != shift) {
      const VbString written = before[i].substr(0, shift) + after[i];
      if (now.size() != SkipWhite(now).size() || !model::StartsWithLabelOrLineNumber(written)) {
        ExpectLine(was, now, i, "punctuation conversion changed a line's indentation");
      }
      was = SkipWhite(was);
    }
    const std::size_t cut = before[i].size() - was.size();
    if (was.size() != now.size()) ExpectLine(was, now, i, "punctuation conversion changed a line's length");
    std::vector<bool> literal(was.size(), false);
    for (auto [from, to] : reader.Next(before[i]).literals) {
      for (std::size_t k = from; k < to; ++k) {
        if (k >= cut) literal[k - cut] = true;
      }
    }
    for (std::size_t k = 0; k < was.size(); ++k) {
      if (was[k] == now[k]) continue;
      bool converted = false;
      for (auto [from, to] : kTable) converted = converted || (was[k] == from && now[k] == to);
      if (!converted || literal[k]) {
        ExpectLine(was, now, i, literal[k] ? "punctuation conversion changed a string literal"
                                           : "punctuation conversion changed a character not in its table");
      }
    }
  }
}

// The line's code without the whole words Private and Public.
inline VbString WithoutScopeWords(VbStringView line, const LineParts& parts) {
  VbString out;
  const std::size_t codeEnd = std::min(parts.comment, line.size());
  std::size_t nextLiteral = 0;
  for (std::size_t i = 0; i < codeEnd;) {
    if (nextLiteral < parts.literals.size() && parts.literals[nextLiteral].first == i) {
      i = parts.literals[nextLiteral++].second;
      out.push_back(u'"');  // the literal's text is compared on its own
      continue;
    }
    if (IsNameChar(line[i])) {
      std::size_t j = i;
      while (j < codeEnd && IsNameChar(line[j])) ++j;
      const VbStringView word = line.substr(i, j - i);
      if (!EqualsNoCase(word, u"Private") && !EqualsNoCase(word, u"Public")) out.append(word);
      out.push_back(u'|');
      i = j;
      continue;
    }
    out.push_back(line[i++]);
  }
  return out;
}

// Commands 21 and 22: literals and comments stay as they were, and the code
// changes in no other word than Private and Public.
inline void CheckScopeSwap(const std::vector<VbString>& before, const std::vector<VbString>& after) {
  if (before.size() != after.size()) Fail("scope swap changed the line count: " + Show(after));
  if (LiteralsAndComments(before) != LiteralsAndComments(after)) {
    Fail("scope swap changed a string literal or a comment: " + Show(after) + " from " + Show(before));
  }
  VbReader was, now;
  for (std::size_t i = 0; i < before.size(); ++i) {
    const VbStringView b = Canon(before[i]), a = Canon(after[i]);
    const VbString codeBefore = WithoutScopeWords(b, was.Next(b));
    const VbString codeAfter = WithoutScopeWords(a, now.Next(a));
    if (codeBefore != codeAfter) ExpectLine(b, a, i, "scope swap changed more than the words Private and Public");
  }
}

// ---- Folding --------------------------------------------------------------------

inline constexpr VbStringView kMarkerPrefix = u"'[+]<kv_unflod:^+) ";

inline bool IsMarker(VbStringView line) { return SkipWhite(line).starts_with(kMarkerPrefix); }

// The lines, labels aside, counted.
inline std::map<VbString, std::int64_t> Tally(const std::vector<VbString>& lines, bool blanks) {
  std::map<VbString, std::int64_t> out;
  for (const VbString& line : lines) {
    if (blanks || !IsBlankLine(line)) ++out[VbString(Canon(line))];
  }
  return out;
}

// Fold: the module as it was, or the same lines plus one marker and one
// empty line.
inline void CheckFold(const std::vector<VbString>& before, const std::vector<VbString>& after) {
  if (CanonLines(before) == CanonLines(after)) return;
  std::map<VbString, std::int64_t> added = Tally(after, true);
  for (const auto& [line, count] : Tally(before, true)) added[line] -= count;
  std::int64_t markers = 0, empties = 0;
  for (const auto& [line, count] : added) {
    if (count == 0) continue;
    if (count < 0) Fail("fold dropped the line " + Show(line));
    if (line.empty() && count == 1) {
      empties = 1;
    } else if (IsMarker(line) && count == 1) {
      ++markers;
    } else {
      Fail("fold added the line " + Show(line) + " " + std::to_string(count) + " times");
    }
  }
  if (markers != 1 || empties != 1) Fail("fold added " + std::to_string(markers) + " markers: " + Show(after));
}

// Unfold and unfold all: every non-blank line stays but for the markers that
// were unfolded; no line appears that was not there; blank lines are only
// ever dropped.
inline void CheckUnfold(const std::vector<VbString>& before, const std::vector<VbString>& after, bool all) {
  std::map<VbString, std::int64_t> gone = Tally(before, false);
  for (const auto& [line, count] : Tally(after, false)) gone[line] -= count;
  std::int64_t markers = 0;
  for (const auto& [line, count] : gone) {
    if (count < 0) Fail("unfold added the line " + Show(line));
    if (count > 0 && !IsMarker(line)) Fail("unfold dropped the line " + Show(line));
    markers += count;
  }
  if (!all && markers > 1) Fail("unfold removed " + std::to_string(markers) + " markers at once");
  const auto blanks = [](const std::vector<VbString>& lines) {
    return std::count_if(lines.begin(), lines.end(), [](const VbString& l) { return IsBlankLine(l); });
  };
  if (blanks(after) > blanks(before)) Fail("unfold added blank lines: " + Show(after));
  if (markers == 0 && CanonLines(DropTrailingBlankLines(before)) != CanonLines(DropTrailingBlankLines(after))) {
    Fail("unfold moved lines without unfolding a marker: " + Show(after) + " from " + Show(before));
  }
}

}  // namespace kv::fuzz
