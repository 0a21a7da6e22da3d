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

// The scan passes four units at a time: a CR LF on each side of a word's
// edge, a CR that is not followed by LF, and one at the very end.
TEST(VbText, FindCrLfAtEveryPosition) {
  const struct { VbStringView text; std::size_t from, at; } cases[] = {
      {u"", 0, VbStringView::npos},         {u"\r", 0, VbStringView::npos},     {u"\r\n", 0, 0},
      {u"abc\r\nd", 0, 3},                 {u"abcd\r\n", 0, 4},                {u"\r\rab\r\r\r\n", 0, 6},
      {u"a\rb\nc\r \n\r", 0, VbStringView::npos}, {u"\r\nabcdefg\r\n", 1, 9}, {u"abcdefgh\r\n", 9, VbStringView::npos},
  };
  for (const auto& c : cases) EXPECT_EQ(FindCrLf(c.text, c.from), c.at) << VbToUtf8(VbString(c.text));
}

TEST(VbText, Utf8RoundTripAndMalformedInput) {
  const char* samples[] = {"", "abc", "缩进模块", "emoji \xF0\x9F\x98\x80 ok"};
  for (const char* s : samples) EXPECT_EQ(VbToUtf8(U(s)), s);
  EXPECT_EQ(U("\xC3"), u"\uFFFD");
  EXPECT_EQ(U("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // an encoded surrogate is not UTF-8
  EXPECT_EQ(VbToUtf8(VbString(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace kv
