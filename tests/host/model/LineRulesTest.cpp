// What the editor takes for a label or a line number, which it keeps at the
// margin.
#include "host/model/LineRules.h"

#include <gtest/gtest.h>

namespace kv::model {
namespace {

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

}  // namespace
}  // namespace kv::model
