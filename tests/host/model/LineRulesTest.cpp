// The editor's line rules: splitting text at CR LF and the margin of labels
// and line numbers.
#include "host/model/LineRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv::model {
namespace {

std::vector<VbString> Split(VbStringView text) {
  std::vector<VbString> out;
  for (VbStringView piece : SplitModuleText(text)) out.emplace_back(piece);
  return out;
}

TEST(SplitModuleText, FinalCrLfEndsTheLastLine) {
  using L = std::vector<VbString>;
  EXPECT_EQ(Split(u""), L{});
  EXPECT_EQ(Split(u"\r\n"), L{u""});
  EXPECT_EQ(Split(u"\r\n\r\n"), (L{u"", u""}));
  EXPECT_EQ(Split(u"A"), L{u"A"});
  EXPECT_EQ(Split(u"A\r\n"), L{u"A"});
  EXPECT_EQ(Split(u"A\r\nB"), (L{u"A", u"B"}));
  EXPECT_EQ(Split(u"A\r\nB\r\n"), (L{u"A", u"B"}));
  EXPECT_EQ(Split(u"A\r\n\r\n"), (L{u"A", u""}));
  EXPECT_EQ(Split(u"\r\nA"), (L{u"", u"A"}));
  // A lone CR or LF is part of the line, not a line end.
  EXPECT_EQ(Split(u"A\rB\nC"), L{u"A\rB\nC"});
  EXPECT_EQ(Split(u"A\n\r\nB"), (L{u"A\n", u"B"}));
}

TEST(LineRules, LabelsAndLineNumbers) {
  struct Row {
    VbStringView line;
    bool expected;
  };
  const Row rows[] = {
      {u"Retry:", true},
      {u"  Retry:", true},
      {u"\t Retry: x = 1", true},
      {u"retry_2:", true},
      {u"Étape:", true},
      {u"标签:", true},
      {u"Retry :", false},  // not directly followed by the colon
      {u"_x:", false},
      {u"2x:", false},
      {u"Else:", false},
      {u"  else:", false},
      {u"End:", false},
      {u"Resume:", false},
      {u"Wend:", false},
      {u"Exit:", true},  // only the listed statements stand alone
      {u"Foo a:=1", false},
      {u"a:=1", false},
      {u"x = 1: y = 2", false},
      {u"' Note:", false},
      {u"Rem Note:", false},
      {u"Debug.Print:", false},
      {u"100", true},
      {u"  100 x = 1", true},
      {u"100\tx = 1", true},
      {u"100:", true},
      {u"100: x = 1", true},
      {u"100x = 1", false},
      {u"1.5", false},
      {u"  ", false},
      {u"", false},
  };
  for (const Row& r : rows) EXPECT_EQ(StartsWithLabelOrLineNumber(r.line), r.expected) << VbToUtf8(r.line);
}

TEST(LineRules, MarginKeepsTheSpacingAfterTheNumber) {
  const VbString code = u"x = 1";
  const VbString continued = u"y = Foo(1, _";
  const VbString comment = u"' a note _";
  EXPECT_EQ(AtMargin(u"    Retry:", nullptr), u"Retry:");
  EXPECT_EQ(AtMargin(u"\t\tRetry: x = 1", &code), u"Retry: x = 1");
  EXPECT_EQ(AtMargin(u"  100    x = 1", &code), u"100    x = 1");
  EXPECT_EQ(AtMargin(u"    x = 1", &code), u"    x = 1");
  EXPECT_EQ(AtMargin(u"Retry:", &code), u"Retry:");
  // A line that goes on with the statement above starts none.
  EXPECT_EQ(AtMargin(u"    10 + 2)", &continued), u"    10 + 2)");
  EXPECT_EQ(AtMargin(u"    Retry:", &comment), u"    Retry:");
}

TEST(LineRules, ContinuationNeedsABlankBeforeTheUnderscore) {
  EXPECT_TRUE(ContinuesOnNextLine(u"x = a + _"));
  EXPECT_TRUE(ContinuesOnNextLine(u"x = a + _  "));
  EXPECT_TRUE(ContinuesOnNextLine(u"' comment _"));
  EXPECT_FALSE(ContinuesOnNextLine(u"x = a_"));
  EXPECT_FALSE(ContinuesOnNextLine(u"_"));
  EXPECT_FALSE(ContinuesOnNextLine(u"x = \"a _\""));
  EXPECT_FALSE(ContinuesOnNextLine(u""));
}

}  // namespace
}  // namespace kv::model
