// The string builder's observable behaviour: its text and the growth of its
// array.
#include "support/clsStringBuilder.h"

#include <gtest/gtest.h>

#include "host/VbError.h"

namespace kv {
namespace {

TEST(clsStringBuilder, GrowsBy10240WhenFull) {
  clsStringBuilder sb;
  sb.Initialize(1023);
  EXPECT_EQ(sb.ToString(), u"");
  sb.Append(VbString(1023, u'x'));
  EXPECT_EQ(sb.HighestIndex(), 1023);  // 1023 characters fit exactly
  sb.Append(u"y");
  EXPECT_EQ(sb.HighestIndex(), 11263);  // the 1024th grows it once
  sb.Append(VbString(10239, u'z'));
  EXPECT_EQ(sb.HighestIndex(), 11263);
  sb.Append(u"!");
  EXPECT_EQ(sb.HighestIndex(), 21503);
  EXPECT_EQ(sb.Count(), 11264);
}

TEST(clsStringBuilder, OneLargeAppendGrowsAsManyStepsAsCharactersByOne) {
  clsStringBuilder one, many;
  one.Initialize(1023);
  many.Initialize(1023);
  VbString text(25000, u'a');
  one.Append(text);
  for (char16_t c : text) many.Append(VbStringView(&c, 1));
  EXPECT_EQ(one.HighestIndex(), many.HighestIndex());
  EXPECT_EQ(one.HighestIndex(), 1023 + 3 * 10240);
  EXPECT_EQ(one.ToString(), many.ToString());
}

TEST(clsStringBuilder, UninitialisedOrClearedBuilderRefusesAppend) {
  clsStringBuilder fresh;
  try {
    fresh.Append(u"a");
    FAIL() << "Append on an uninitialised builder must fail";
  } catch (const VbError& e) {
    EXPECT_EQ(e.Number(), vberr::kSubscriptOutOfRange);
  }
  clsStringBuilder cleared;
  cleared.Initialize(1023);
  cleared.Append(u"abc");
  cleared.Clear();
  EXPECT_THROW(cleared.Append(u"a"), VbError);
  EXPECT_THROW(cleared.HighestIndex(), VbError);
  EXPECT_EQ(cleared.ToString(), u"");
}

}  // namespace
}  // namespace kv
