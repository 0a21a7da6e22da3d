// The character classes of the VB line scanner.
#include "organize/VbLineScanner.h"

namespace kv {

bool IsVbIdentifierChar(char16_t c) {
  if (c < 0x80) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
  }
  // Punctuation beyond ASCII separates words like ASCII punctuation does: the
  // Latin-1 signs, general punctuation (curly quotes, dashes), CJK symbols and
  // the full-width forms of the ASCII signs.
  if (c <= 0xBF || c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x206F) return false;
  if (c >= 0x3000 && c <= 0x303F) return false;
  if (c >= 0xFF00 && c <= 0xFF0F) return false;
  if (c >= 0xFF1A && c <= 0xFF20) return false;
  if (c >= 0xFF3B && c <= 0xFF40) return false;
  if (c >= 0xFF5B && c <= 0xFF65) return false;
  return true;
}

bool EndsWithContinuation(VbStringView text) {
  std::size_t end = text.size();
  while (end > 0 && (text[end - 1] == kBlank || text[end - 1] == kTab)) --end;
  return end >= 2 && text[end - 1] == u'_' && (text[end - 2] == kBlank || text[end - 2] == kTab);
}

VbStringView SkipLeadingWhite(VbStringView text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == kBlank || text[i] == kTab)) ++i;
  return text.substr(i);
}

}  // namespace kv
