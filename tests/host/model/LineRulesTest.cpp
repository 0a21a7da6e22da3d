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
  const std::pair<VbStringView, L> rows[] = {
      {u"", {}}, {u"\r\n", {u""}}, {u"\r\n\r\n", {u"", u""}}, {u"A", {u"A"}}, {u"A\r\n", {u"A"}},
      {u"A\r\nB\r\n", {u"A", u"B"}}, {u"A\r\n\r\n", {u"A", u""}}, {u"\r\nA", {u"", u"A"}},
      {u"A\rB\nC", {u"A\rB\nC"}}, {u"A\n\r\nB", {u"A\n", u"B"}},  // a lone CR or LF is part of the line
  };
  for (const auto& [text, lines] : rows) EXPECT_EQ(Split(text), lines) << VbToUtf8(text);
}

TEST(LineRules, LabelsAndLineNumbers) {
  struct Row { VbStringView line; bool expected; };
  const Row rows[] = {
      {u"Retry:", true}, {u"  Retry:", true}, {u"\t Retry: x = 1", true}, {u"retry_2:", true}, {u"Étape:", true},
      {u"标签:", true},
      {u"Retry :", false},  // not directly followed by the colon
      {u"_x:", false}, {u"2x:", false}, {u"Else:", false}, {u"  else:", false}, {u"End:", false}, {u"Resume:", false},
      {u"Wend:", false},
      {u"Exit:", true},  // only the listed statements stand alone
      {u"Foo a:=1", false}, {u"a:=1", false}, {u"x = 1: y = 2", false}, {u"' Note:", false}, {u"Rem Note:", false},
      {u"Debug.Print:", false}, {u"100", true}, {u"  100 x = 1", true}, {u"100\tx = 1", true}, {u"100:", true},
      {u"100: x = 1", true}, {u"100x = 1", false}, {u"1.5", false}, {u"  ", false}, {u"", false},
  };
  for (const Row& r : rows) EXPECT_EQ(StartsWithLabelOrLineNumber(r.line), r.expected) << VbToUtf8(r.line);
}

TEST(LineRules, ContinuationNeedsABlankBeforeTheUnderscore) {
  for (VbStringView line : {u"x = a + _", u"x = a + _  ", u"' comment _"}) EXPECT_TRUE(ContinuesOnNextLine(line));
  for (VbStringView line : {u"x = a_", u"_", u"x = \"a _\"", u""}) EXPECT_FALSE(ContinuesOnNextLine(line));
}

}  // namespace
}  // namespace kv::model
