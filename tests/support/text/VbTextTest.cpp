// VB string functions.
#include "support/text/VbText.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(VbText, TrimRemovesBlanksOnly) {
  EXPECT_EQ(Trim(u"  a b  "), u"a b");
  EXPECT_EQ(Trim(u"\t a \t"), u"\t a \t");
  EXPECT_EQ(LTrim(u"  \ta"), u"\ta");
  EXPECT_EQ(RTrim(u"a\t  "), u"a\t");
  EXPECT_TRUE(IsBlankLine(u"   "));
  EXPECT_TRUE(IsBlankLine(u""));
  EXPECT_FALSE(IsBlankLine(u" \t "));
}

TEST(VbText, SplitFollowsVbSplit) {
  EXPECT_TRUE(SplitCrLf(u"").empty());
  EXPECT_EQ(SplitCrLf(u"a").size(), 1u);
  auto pieces = SplitCrLf(u"a\r\n\r\nb\r\n");
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], u"a");
  EXPECT_EQ(pieces[1], u"");
  EXPECT_EQ(pieces[2], u"b");
  EXPECT_EQ(pieces[3], u"");
  EXPECT_EQ(CountCrLfPieces(u"a\r\n\r\nb\r\n"), 4u);
  EXPECT_EQ(CountCrLfPieces(u"a\rb\nc"), 1u);
  EXPECT_EQ(JoinCrLf(pieces), u"a\r\n\r\nb\r\n");
}

TEST(VbText, CaseInsensitiveSearchAndReplace) {
  EXPECT_EQ(InStrNoCase(u"Private Sub", u"SUB"), 9u);
  EXPECT_EQ(InStrNoCase(u"abc", u"d"), 0u);
  EXPECT_EQ(InStr(u"abcabc", u"c", 4), 6u);
  EXPECT_EQ(ReplaceAllNoCase(u"private PRIVATE", u"Private", u"Public"), u"Public Public");
  EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_TRUE(StartsWithNoCase(u"End Sub", u"end s"));
  EXPECT_TRUE(EndsWithNoCase(u"x _", u" _"));
}

TEST(VbText, Utf8RoundTripAndMalformedInput) {
  const char* samples[] = {"", "abc", "缩进模块", "emoji \xF0\x9F\x98\x80 ok"};
  for (const char* s : samples) EXPECT_EQ(VbToUtf8(U(s)), s);
  EXPECT_EQ(U("\xC3"), u"\uFFFD");
  EXPECT_EQ(U("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate is not UTF-8
  EXPECT_EQ(VbToUtf8(VbString(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(VbText, CharacterClassesAtTheirBounds) {
  const struct {
    char16_t c;
    bool digit, high, low;
  } cases[] = {
      {u'/', false, false, false},   {u'0', true, false, false},    {u'9', true, false, false},
      {u':', false, false, false},   {u'\uFF10', false, false, false},  // a full-width digit is no digit
      {0xD7FF, false, false, false}, {0xD800, false, true, false},  {0xDBFF, false, true, false},
      {0xDC00, false, false, true},  {0xDFFF, false, false, true},  {0xE000, false, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAsciiDigit(c.c), c.digit) << int(c.c);
    EXPECT_EQ(IsHighSurrogate(c.c), c.high) << int(c.c);
    EXPECT_EQ(IsLowSurrogate(c.c), c.low) << int(c.c);
  }
}

}  // namespace
}  // namespace kv
