// The statement classifier: keyword counts, the If rule and the Type/Enum
// rule.
#include "indent/StatementClassifier.h"

namespace kv {

namespace {

// White space here is blanks and tabs: VB reads a tab wherever it reads a
// blank, and the IDE's lines may carry either at their ends.
VbStringView TrimWhite(VbStringView text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsWhite(text[b])) ++b;
  while (e > b && IsWhite(text[e - 1])) --e;
  return text.substr(b, e - b);
}

// `text` begins with the word, ignoring case, followed by white space or the
// end: the "If " test of the If rule.
bool HeadIs(VbStringView text, VbStringView word) {
  if (text.size() < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (AsciiLower(text[k]) != word[k]) return false;
  }
  return text.size() == word.size() || IsWhite(text[word.size()]);
}

// Looks for the statement's Then, VB's way: in the text with its string
// literals and any comment removed, and with a blank put before and after it,
// the first "Then" that has white space before it and white space or a colon
// after it. Streams over the statement, so nothing is built.
struct ThenSearch {
  bool found = false;
  bool followedByCode = false;  // something other than white space comes after that Then
};

ThenSearch FindThen(VbStringView text) {
  ThenSearch result;
  // Matches " then" followed by a delimiter; state k means the last k
  // characters matched the pattern's first k (blank, t, h, e, n).
  static constexpr char16_t kLetters[] = {u't', u'h', u'e', u'n'};
  int state = 0;
  auto emit = [&](char16_t c) {  // returns true when the search is decided
    if (result.found) {
      if (!IsWhite(c)) result.followedByCode = true;
      return result.followedByCode;
    }
    c = AsciiLower(c);
    if (state == 5) {
      if (IsWhite(c) || c == u':') {
        result.found = true;
        if (c == u':') result.followedByCode = true;  // a statement separator: single-line
        return result.followedByCode;
      }
      state = 0;
      return false;
    }
    if (state >= 1 && c == kLetters[state - 1]) {
      ++state;
    } else {
      state = IsWhite(c) ? 1 : 0;
    }
    return false;
  };

  if (emit(kBlank)) return result;
  bool inString = false;
  for (char16_t c : text) {
    if (c == u'"') {
      inString = !inString;  // the quotes go with the literal
      continue;
    }
    if (inString) continue;
    if (c == u'\'') break;  // a comment runs to the end
    if (emit(c)) return result;
  }
  emit(kBlank);
  return result;
}

}  // namespace

void f_ClassifyStatement(const KeywordTables& tables, IndentFlags& flags, VbStringView statement,
                         std::int16_t& opens, std::int16_t& closes, bool& afterHeader) {
  opens = 0;
  closes = 0;
  VbStringView s = TrimWhite(statement);
  const bool countBlocks = !flags.InTypeOrEnum;
  const KeywordTables::Matches m = tables.Match(s);

  if (countBlocks) {
    opens = static_cast<std::int16_t>(opens + m.blockOpens);
    closes = static_cast<std::int16_t>(closes + m.blockCloses);
  }
  if (m.procLines > 0) {
    if (tables.IndentProc() && !flags.InTypeOrEnum) opens = static_cast<std::int16_t>(opens + m.procLines);
    afterHeader = true;
    if (m.typeOrEnumHead) flags.InTypeOrEnum = true;
  }
  if (m.procEnds > 0) {
    flags.InTypeOrEnum = false;
    if (tables.IndentProc()) closes = static_cast<std::int16_t>(closes + m.procEnds);
  }

  // Members of a Type or Enum block are never counted, whatever their names.
  if (flags.InTypeOrEnum) return;

  // The If rule: an If head opens a block only when nothing but a comment
  // follows its Then; a head that goes on over continuation lines is decided
  // on the line that holds its Then.
  if (!(HeadIs(s, u"if") || HeadIs(s, u"#if") || flags.IfContinues)) return;
  if (flags.IfContinues) opens = 1;
  flags.IfContinues = f_EndsWithContinuation(statement);
  ThenSearch then = FindThen(s);
  if (then.found) {
    flags.IfContinues = false;
    if (then.followedByCode) opens = 0;
  }
  if (flags.IfContinues) opens = 0;
}

Directive f_DirectiveOf(VbStringView statement) {
  VbStringView s = TrimWhite(statement);
  if (s.empty() || s[0] != u'#') return Directive::None;
  if (StartsWithKeyword(s, u"#If")) return Directive::If;
  if (StartsWithKeyword(s, u"#ElseIf")) return Directive::ElseIf;
  if (StartsWithKeyword(s, u"#Else")) return Directive::Else;
  if (StartsWithKeyword(s, u"#End If")) return Directive::EndIf;
  return Directive::None;
}

bool f_EndsWithContinuation(VbStringView text) {
  VbStringView t = RTrimView(text);
  return t.size() >= 2 && t.back() == u'_' && IsWhite(t[t.size() - 2]);
}

}  // namespace kv
