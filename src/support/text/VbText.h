// VB text: the UTF-16 strings the IDE hands out, and the handful of VB string
// functions the add-in is written in terms of.
//
// Positions and lengths count UTF-16 units from 1, as VB's Len, Mid and InStr
// do. "Blank" is U+0020 only: Trim never touches tabs. Case-insensitive
// comparisons fold the ASCII letters, which is all the keywords and markers of
// VB source need; other characters compare as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

using VbString = std::u16string;
using VbStringView = std::u16string_view;

inline constexpr char16_t kBlank = u' ';
inline constexpr char16_t kTab = u'\t';
inline constexpr VbStringView kCrLf = u"\r\n";

// Conversions at the edges. Utf8ToVb replaces malformed input by U+FFFD;
// VbToUtf8 writes a lone surrogate as U+FFFD.
VbString U(std::string_view utf8);
std::string VbToUtf8(VbStringView text);

// Trimming removes blanks (U+0020) only.
VbStringView LTrimView(VbStringView text);
VbStringView RTrimView(VbStringView text);
VbStringView TrimView(VbStringView text);
inline VbString LTrim(VbStringView text) { return VbString(LTrimView(text)); }
inline VbString RTrim(VbStringView text) { return VbString(RTrimView(text)); }
inline VbString Trim(VbStringView text) { return VbString(TrimView(text)); }

// A blank line is empty once its blanks are removed; a tab is not blank.
inline bool IsBlankLine(VbStringView line) { return TrimView(line).empty(); }

constexpr bool IsAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// The two halves of a UTF-16 surrogate pair: a character beyond U+FFFF takes
// two units, which VB's Len counts as two.
constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

constexpr char16_t AsciiLower(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }
constexpr char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c; }
VbString LCase(VbStringView text);
VbString UCase(VbStringView text);

bool EqualsNoCase(VbStringView a, VbStringView b);
bool StartsWithNoCase(VbStringView text, VbStringView prefix);
bool EndsWithNoCase(VbStringView text, VbStringView suffix);

// InStr: the 1-based position of `what` in `text` at or after `start`, or 0.
std::size_t InStr(VbStringView text, VbStringView what, std::size_t start = 1);
std::size_t InStrNoCase(VbStringView text, VbStringView what, std::size_t start = 1);

// Replace every occurrence, scanning left to right, as VB's Replace does.
VbString ReplaceAll(VbStringView text, VbStringView what, VbStringView with);
VbString ReplaceAllNoCase(VbStringView text, VbStringView what, VbStringView with);

// Where the next `unit`, or the next CR LF, is at or after `from`, or npos.
std::size_t FindUnit(VbStringView text, char16_t unit, std::size_t from = 0);
std::size_t FindCrLf(VbStringView text, std::size_t from = 0);

// VB's Split(text, vbCrLf): the empty text gives no pieces, and a text that
// ends in CR LF gives an empty last piece. The views point into `text`.
std::vector<VbStringView> SplitCrLf(VbStringView text);
// Number of pieces SplitCrLf would give, without building them.
std::size_t CountCrLfPieces(VbStringView text);
VbString JoinCrLf(const std::vector<VbStringView>& pieces);
VbString JoinCrLf(const std::vector<VbString>& pieces);

inline VbString Spaces(std::size_t n) { return VbString(n, kBlank); }

// Decimal text of a number, as VB's CStr gives it for whole numbers.
VbString ToVb(std::int64_t number);

}  // namespace kv
