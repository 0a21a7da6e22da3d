// Character classes of VB source that the editor's rules share (digits are
// VbText's IsAsciiDigit).
#pragma once

#include "support/text/VbText.h"

namespace kv::model {

inline bool IsWhite(char16_t c) { return c == kBlank || c == kTab; }
// Names may use letters beyond ASCII (a Chinese code page allows them); any
// character outside ASCII counts as a letter here.
inline bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= 0x80; }
inline bool IsNameChar(char16_t c) { return IsLetter(c) || IsAsciiDigit(c) || c == u'_'; }

// The index of the first character after the leading blanks and tabs.
inline std::size_t SkipWhite(VbStringView text, std::size_t from = 0) {
  while (from < text.size() && IsWhite(text[from])) ++from;
  return from;
}

}  // namespace kv::model
