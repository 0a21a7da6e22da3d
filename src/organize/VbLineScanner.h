// How VB reads the text of a module, line by line: which characters are code,
// which stand inside string literals and which belong to comments.
//
// The text commands that must not touch a program's own strings or its
// comments (deleting blank lines before headers, the scope swap, the
// punctuation conversion) see each line through ScanVbLine. The rules are the
// language's own:
// - in code a straight double quote opens a literal and the next one closes
//   it; a doubled quote inside a literal stays inside; a literal ends with its
//   line at the latest;
// - an apostrophe outside a literal, or the word Rem where a statement begins,
//   starts a comment that runs to the end of the line, and on over every line
//   it continues with " _"; a comment holds no literals;
// - code that ends with " _" goes on on the next line, so that line does not
//   begin a statement.
// A statement begins at the start of a line that does not continue one, after
// a line number there, after a ":" separator (not the ":=" of a named
// argument) and after the words Then and Else of a single-line If.
#pragma once

#include <cstddef>

#include "support/text/VbText.h"

namespace kv {

enum class VbPieceKind {
  Code,     // anything outside literals and comments that is not a word
  Word,     // a run of identifier characters in code (names, keywords, numbers)
  Literal,  // a string literal with its quotes
  Comment,  // from the apostrophe or Rem to the end of the line
};

struct VbPiece {
  VbPieceKind kind;
  VbStringView text;
  bool statementStart;  // Word only: the word begins a statement
};

// What one line hands on to the next.
struct VbLineState {
  bool commentGoesOn = false;    // the line ended inside a comment with " _"
  bool statementGoesOn = false;  // the line's code ended with " _"
  // Whether a line read in this state begins as code that starts a statement.
  bool FreshStatement() const { return !commentGoesOn && !statementGoesOn; }
};

// Letters, digits and "_" of ASCII, and the characters beyond ASCII other than
// punctuation (a name may be written in Chinese).
bool IsVbIdentifierChar(char16_t c);
// Whether the text ends with a line continuation: "_" after a blank or a tab,
// with nothing but blanks and tabs behind it.
bool EndsWithContinuation(VbStringView text);
// The text without its leading blanks and tabs.
VbStringView SkipLeadingWhite(VbStringView text);

// Splits one line (without its line end) into pieces as VB reads it and hands
// them to sink(const VbPiece&) in order; together they cover the line exactly.
// `state` comes from the line before and is updated for the line after.
template <class Sink>
void ScanVbLine(VbStringView line, VbLineState& state, Sink&& sink) {
  const std::size_t n = line.size();
  if (state.commentGoesOn) {
    if (n > 0) sink(VbPiece{VbPieceKind::Comment, line, false});
    state.commentGoesOn = EndsWithContinuation(line);
    state.statementGoesOn = false;
    return;
  }
  bool atStatement = !state.statementGoesOn;
  bool firstToken = true;  // nothing but white space seen yet on this line
  bool endsInLiteral = false;
  std::size_t codeFrom = 0;  // start of the code characters not yet handed on
  auto flushCode = [&](std::size_t to) {
    if (to > codeFrom) sink(VbPiece{VbPieceKind::Code, line.substr(codeFrom, to - codeFrom), false});
  };
  auto comment = [&](std::size_t from) {
    flushCode(from);
    VbStringView text = line.substr(from);
    sink(VbPiece{VbPieceKind::Comment, text, false});
    state.commentGoesOn = EndsWithContinuation(text);
    state.statementGoesOn = false;
  };

  std::size_t i = 0;
  while (i < n) {
    const char16_t c = line[i];
    if (c == kBlank || c == kTab) {
      ++i;
      continue;
    }
    if (c == u'"') {
      flushCode(i);
      std::size_t j = i + 1;
      endsInLiteral = true;
      while (j < n) {
        if (line[j] == u'"') {
          if (j + 1 < n && line[j + 1] == u'"') {
            j += 2;
            continue;
          }
          ++j;
          endsInLiteral = false;
          break;
        }
        ++j;
      }
      sink(VbPiece{VbPieceKind::Literal, line.substr(i, j - i), false});
      i = codeFrom = j;
      atStatement = firstToken = false;
      continue;
    }
    if (c == u'\'') {
      comment(i);
      return;
    }
    if (IsVbIdentifierChar(c)) {
      std::size_t j = i + 1;
      while (j < n && IsVbIdentifierChar(line[j])) ++j;
      const VbStringView word = line.substr(i, j - i);
      if (atStatement && EqualsNoCase(word, u"Rem") && (j == n || line[j] == kBlank || line[j] == kTab)) {
        comment(i);
        return;
      }
      flushCode(i);
      sink(VbPiece{VbPieceKind::Word, word, atStatement});
      bool number = true;
      for (char16_t d : word) number = number && d >= u'0' && d <= u'9';
      // A line number keeps the statement ahead; Then and Else of a
      // single-line If start one.
      atStatement = (firstToken && atStatement && number) || EqualsNoCase(word, u"Then") || EqualsNoCase(word, u"Else");
      firstToken = false;
      i = codeFrom = j;
      continue;
    }
    atStatement = c == u':' && !(i + 1 < n && line[i + 1] == u'=');
    firstToken = false;
    ++i;
  }
  flushCode(n);
  state.commentGoesOn = false;
  state.statementGoesOn = !endsInLiteral && EndsWithContinuation(line);
}

// Calls fn(line, index) for every piece of the text split at CR LF, as
// SplitCrLf would give them (none for the empty text), without building them.
template <class Fn>
void ForEachCrLfLine(VbStringView text, Fn&& fn) {
  if (text.empty()) return;
  std::size_t from = 0;
  std::size_t index = 0;
  for (;;) {
    const std::size_t at = FindCrLf(text, from);
    if (at == VbStringView::npos) {
      fn(text.substr(from), index);
      return;
    }
    fn(text.substr(from, at - from), index++);
    from = at + 2;
  }
}

}  // namespace kv
