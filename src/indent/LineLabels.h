// Line numbers and labels at the start of a line.
//
// VB lets a line begin with a line number (10 x = 1) or a label with its colon
// (Retry: x = 1). Either stands outside the statement that follows it: the
// editor keeps it at the margin, and the statement's own head is what the
// indentation counts. The line-number commands share this reading.
#pragma once

#include <cstddef>

#include "support/text/VbText.h"

namespace kv {

struct LineLabel {
  std::size_t at = 0;      // where the label begins (after leading white space)
  std::size_t length = 0;  // its characters, the colon of a label included; 0 when none
  bool number = false;     // a line number (digits only, no colon)
  std::size_t rest = 0;    // where the statement after it begins (white space skipped)
};

// Reads the label or line number at the start of `line`, if it has one. A line
// number is a run of digits followed by white space, a comment or the line's
// end; a label is a name or a number with a colon right after it, followed by
// the same. A name that is also a statement which may stand alone before a
// separator (Else:, Loop:, Resume:) is not a label, nor is "name:=".
LineLabel f_LineLabel(VbStringView line);

// Whether the character may stand in a VB name: ASCII letters, digits and
// "_", and any character beyond ASCII.
constexpr bool IsVbNameChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c >= 0x80;
}

}  // namespace kv
