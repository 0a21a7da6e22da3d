// How the option readers take a stored count: the leading number, rounded
// half to even, out of an Integer's range none at all.
#include <gtest/gtest.h>

#include "options/modSettings.h"

namespace kv {
namespace {

TEST(SettingConversionsTest, CountsTakeTheLeadingNumberRoundedHalfToEven) {
  const struct { VbStringView text; std::optional<std::int16_t> count; } cases[] = {
      {u"4", 4}, {u" 2.5", 2}, {u"3.5x", 4}, {u"abc", 0}, {u"", 0}, {u"40000", std::nullopt}, {u"-3", -3},
      {u"  55", 55}, {u"0.5", 0}, {u"1.5", 2}, {u"2.51", 3}, {u"2.50000000000000000001", 3}, {u"2.49999", 2},
      {u"-2.5", -2}, {u"-3.5", -4}, {u"-0.4", 0}, {u"+7", 7}, {u"7.", 7}, {u".6", 1}, {u"-", 0}, {u".", 0},
      {u"10 20", 10}, {u"\t4", 0}, {u"1e3", 1}, {u"32767", 32767}, {u"32767.5", std::nullopt}, {u"-32768", -32768},
      {u"-32768.5", -32768}, {u"-32769", std::nullopt}, {u"99999999999999999999999", std::nullopt}, {u"007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadCount(c.text), c.count) << VbToUtf8(c.text);
}

}  // namespace
}  // namespace kv
