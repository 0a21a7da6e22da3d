// The readers' conversions of stored option texts.
#include <gtest/gtest.h>

#include "options/modSettings.h"

namespace kv {
namespace {

TEST(SettingConversionsTest, Flags) {
  const struct { VbStringView text; bool on; bool exactlyOn; } cases[] = {
      {u"Y", true, true},    {u"y", true, false},    {u"N", false, false},  {u"", false, false},
      {u" Y", false, false}, {u"Yes", false, false}, {u"YY", false, false}, {u"1", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsFlagOn(c.text), c.on) << VbToUtf8(c.text);
    EXPECT_EQ(IsFlagExactlyOn(c.text), c.exactlyOn) << VbToUtf8(c.text);
  }
}

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

TEST(SettingConversionsTest, LanguageIsEnglishUnlessANonZeroNumber) {
  const struct { VbStringView text; std::int32_t language; } cases[] = {
      {u"0", 0}, {u"1", 1}, {u"2", 1}, {u"x", 0}, {u"", 0}, {u"-1", 1}, {u" 1 ", 1}, {u"1x", 0}, {u"0.4", 0},
      {u"0.6", 1}, {u"00", 0}, {u"+", 0}, {u"99999999999999", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageFromSetting(c.text), c.language) << VbToUtf8(c.text);
}

// The number boxes and the language read a text that is a number as a whole.
TEST(SettingConversionsTest, DecimalTextIsANumberAsAWhole) {
  const struct { VbStringView text; std::optional<std::int64_t> value; } cases[] = {
      {u" 2.5 ", 2},      {u"-3.5", -4},          {u"2.50000000000000000001", 3}, {u".5", 0},
      {u"7.", 7},         {u"+0", 0},             {u"99999999999999999999", 1'000'000'000'000},
      {u"", std::nullopt}, {u"-", std::nullopt},  {u".", std::nullopt},           {u"5x", std::nullopt},
      {u"1e3", std::nullopt}, {u"1,5", std::nullopt}, {u"\t5", std::nullopt},     {u"- 5", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DecimalTextValue(c.text), c.value) << VbToUtf8(c.text);
}

}  // namespace
}  // namespace kv
