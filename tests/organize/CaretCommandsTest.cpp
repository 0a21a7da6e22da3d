// The caret and selection commands, run through the dispatcher: the module
// and the caret after each.
#include "organize/CaretCommands.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"

namespace kv {
namespace {

using test::RunOn;

struct Case { std::int16_t n; const char* before; Selection caret; const char* after; Selection caretAfter; };

void RunTable(std::initializer_list<Case> cases, const char* customText = nullptr) {
  for (const Case& c : cases) {
    test::Harness h;
    if (customText) h.settings.WriteSetting(u"txtCtrl1Target", U(customText));
    const test::Outcome out = RunOn(c.n, c.before, c.caret, h);
    EXPECT_EQ(out.module, c.after) << "command " << c.n << " on " << c.before;
    EXPECT_EQ(out.caret, c.caretAfter) << "command " << c.n << " on " << c.before;
    EXPECT_TRUE(out.ran) << c.before;
  }
}

constexpr std::int16_t kText = cmd::kInsertCustomText;

TEST(CaretCommands, InsertDefaultCustomText) {
  RunTable({
      {kText, "    x = 1", {1, 5, 1, 5}, "    'x = 1", {1, 6, 1, 6}},
      {kText, "abc", {1, 4, 1, 4}, "abc'", {1, 6, 1, 6}},  // at the end: one column more
      {kText, "abcdef", {1, 2, 1, 4}, "a'bcdef", {1, 3, 1, 5}},
      {kText, "a||b", {2, 1, 2, 1}, "a|'|b", {2, 3, 2, 3}},  // an empty line takes the text
      {kText, "a|||", {2, 1, 2, 1}, "a|'", {2, 3, 2, 3}},    // below the last line: a new last line
  });
}

TEST(CaretCommands, InsertOwnCustomText) {
  RunTable({{kText, "x", {1, 1, 1, 1}, "TODO: x", {1, 7, 1, 7}}}, "TODO: ");
  // An empty custom text does nothing at all.
  RunTable({{kText, "x", {1, 1, 1, 1}, "x", {1, 1, 1, 1}}}, "");
}

TEST(CaretCommands, Skeletons) {
  RunTable({
      {cmd::kAddPrivateSub, "1|2|3|4|5|6|7|8|9|10|11|12", {10, 1, 10, 1},
       "1|2|3|4|5|6|7|8|9|Private Sub s_()|\t|End Sub|10|11|12", {10, 15, 10, 15}},
      {cmd::kAddPrivateSub, "A", {1, 3, 1, 5}, "Private Sub s_()|\t|End Sub|A", {1, 17, 1, 19}},
      {cmd::kAddPrivateSub, "", {1, 1, 1, 1}, "Private Sub s_()|\t|End Sub", {1, 15, 1, 15}},
      {cmd::kAddPrivateFunction, "A", {1, 1, 1, 1}, "Private Function f_()|\t|End Function|A", {1, 20, 1, 20}},
      {cmd::kAddChkProEnd, "A|B|C", {3, 5, 3, 5}, "A|B|End Function|C", {4, 5, 4, 5}},
      {cmd::kAddProLabels, "1|2|3|4", {4, 1, 4, 1},
       "1|2|3||    If f_chkPro = True Then '<kv_pro_start>|    End If '<kv_pro_end>|4", {6, 5, 6, 5}},
  });
}

TEST(CaretCommands, CommentBlock) {
  constexpr std::int16_t n = cmd::kCommentBlock;
  RunTable({
      {n, "    x = 1  |   ||y", {1, 1, 3, 1}, "    'x = 1|   '||y", {1, 1, 3, 2}},
      {n, "x|y|z", {2, 1, 3, 1}, "x|'y|'z", {2, 1, 3, 2}},  // only line numbers count
      {n, "'a", {1, 1, 1, 3}, "''a", {1, 1, 1, 4}}, {n, "\tx", {1, 1, 1, 1}, "'\tx", {1, 1, 1, 2}},
      {n, "a||b", {2, 1, 2, 1}, "a||b", {2, 1, 2, 1}},  // a single empty line: nothing
  });
}

TEST(CaretCommands, UncommentBlock) {
  constexpr std::int16_t n = cmd::kUncommentBlock;
  RunTable({
      {n, "''x", {1, 1, 1, 4}, "'x", {1, 1, 1, 3}}, {n, "  ' a", {1, 1, 1, 6}, "   a", {1, 1, 1, 5}},
      {n, "'a|  'b|c", {1, 1, 3, 2}, "a|  b|c", {1, 1, 3, 1}},
      {n, "\t'x|Rem x|x ' c", {1, 1, 3, 3}, "\t'x|Rem x|x ' c", {1, 1, 3, 2}},
      {n, "'a", {1, 1, 1, 1}, "a", {1, 1, 1, 1}},  // column 1 is the leftmost
      {n, "a||b", {2, 1, 2, 1}, "a||b", {2, 1, 2, 1}},
  });
}

}  // namespace
}  // namespace kv
