// The readers' conversions of stored option texts: flags, counts and the
// UI language, and the decimal reading they share with the options window's
// number boxes.
//
// Numbers are read as the decimal text they are stored as: an optional sign,
// digits, and an optional fraction after a point, rounded to a whole number
// with halves going to the even neighbour. The rounding works on the digits
// themselves, so "2.5" and "2.50000000000000000001" round as written, not as
// a binary fraction would.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "options/modSettings.h"

namespace kv {

namespace {

// Larger magnitudes fit no reader's integer; saturating keeps them large.
constexpr std::int64_t kSaturated = 1'000'000'000'000;

struct LeadingNumber {
  std::size_t length = 0;  // characters taken; 0: the text has no number
  std::int64_t rounded = 0;
};

LeadingNumber ReadLeadingNumber(VbStringView text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  std::int64_t whole = 0;
  bool anyDigit = false;
  for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
    anyDigit = true;
    whole = std::min(kSaturated, whole * 10 + (text[i] - u'0'));
  }
  int firstFraction = 0;        // the first digit after the point
  bool restOfFraction = false;  // any non-zero digit after that one
  if (i < text.size() && text[i] == u'.') {
    std::size_t start = ++i;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
      anyDigit = true;
      if (i == start)
        firstFraction = text[i] - u'0';
      else if (text[i] != u'0')
        restOfFraction = true;
    }
  }
  if (!anyDigit) return {};
  bool up = firstFraction > 5 || (firstFraction == 5 && (restOfFraction || whole % 2 == 1));
  std::int64_t magnitude = whole + (up ? 1 : 0);
  return {i, negative ? -magnitude : magnitude};
}

}  // namespace

bool IsFlagOn(VbStringView text) { return text == u"Y" || text == u"y"; }

bool IsFlagExactlyOn(VbStringView text) { return text == u"Y"; }

std::optional<std::int16_t> ReadCount(VbStringView text) {
  LeadingNumber number = ReadLeadingNumber(LTrimView(text));
  if (number.rounded < INT16_MIN || number.rounded > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(number.rounded);
}

std::int32_t LanguageFromSetting(VbStringView text) {
  // Only a text that is a number as a whole selects by its value; "1x" and
  // "abc" are not numbers and keep the menus English.
  std::optional<std::int64_t> number = DecimalTextValue(text);
  return number && *number != 0 ? 1 : 0;
}

std::optional<std::int64_t> DecimalTextValue(VbStringView text) {
  VbStringView trimmed = TrimView(text);
  LeadingNumber number = ReadLeadingNumber(trimmed);
  if (number.length == 0 || number.length != trimmed.size()) return std::nullopt;
  return number.rounded;
}

}  // namespace kv
