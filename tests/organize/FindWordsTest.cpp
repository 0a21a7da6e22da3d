// Find Words to Previous (9) and to All (10) through the dispatcher on modules
// of the in-memory IDE.
#include "organize/FindWords.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"

namespace kv {
namespace {

using test::Harness;

TEST(FindWords, WordAtTheCaretOrTheSelection) {
  struct Row {
    const char16_t* line;
    std::int32_t column;
    const char16_t* word;
  };
  const Row rows[] = {
      {u"x = Total + 1", 5, u"Total"}, {u"x = Total + 1", 10, u"Total"}, {u"x = Total + 1", 11, u""},
      {u"a_b2 = 1", 1, u"a_b2"},       {u"数量 = 1", 2, u"数量"},          {u"", 1, u""},
      {u"x", 3, u""},
  };
  for (const Row& r : rows) EXPECT_EQ(f_WordAt(r.line, r.column), r.word) << VbToUtf8(r.line) << " " << r.column;
}

TEST(FindWords, PreviousSkipsLiteralsCommentsAndLongerNamesAndWraps) {
  struct Row {
    Selection caret;
    Selection selected;
    const char* message;
  };
  const char* module = "total = 1|s = \"total\" ' total|TotalX = Total + total|x = TOTAL";
  const Row rows[] = {
      {{4, 6, 4, 6}, {3, 18, 3, 23}, nullptr},            // the nearest one above, any letter case
      {{3, 18, 3, 18}, {3, 10, 3, 15}, nullptr},          // the one the caret stands in is not "previous"
      {{1, 2, 1, 2}, {4, 5, 4, 10}, "Reached the top"},   // wraps to the end
      {{3, 10, 3, 15}, {1, 1, 1, 6}, nullptr},            // a selection is the word
      {{2, 3, 2, 3}, {2, 3, 2, 3}, "There is no word at the caret."},
  };
  for (const Row& r : rows) {
    Harness h;
    const test::Outcome out = test::RunOn(cmd::kFindPrevious, module, r.caret, h);
    EXPECT_EQ(out.caret, r.selected) << r.caret.startLine << ":" << r.caret.startColumn;
    EXPECT_EQ(out.messages.size(), r.message ? 1u : 0u);
    if (r.message && !out.messages.empty()) {
      EXPECT_TRUE(VbToUtf8(out.messages[0]).starts_with(r.message));
    }
    EXPECT_EQ(out.module, module);
  }
  Harness h;
  EXPECT_EQ(test::RunOn(cmd::kFindPrevious, "only = 1", {1, 2, 1, 2}, h).messages,
            std::vector<VbString>{u"No other occurrence of 'only'."});
  h.g.gLanguage = 1;
  h.RunCommand(cmd::kFindPrevious);
  EXPECT_EQ(h.Messages().back(), u"未找到“only”的其他位置。");
}

TEST(FindWords, AllListsEveryModuleInOrder) {
  Harness h;
  h.AddModule(u"Sub A()\r\n  Count = 1 ' Count\r\nEnd Sub", u"First");
  h.AddModule(u"x = 1", u"Second");
  h.Open(h.AddModule(u"y = count + Count", u"Third"), {1, 6, 1, 6});
  EXPECT_TRUE(h.RunCommand(cmd::kFindAll));
  ASSERT_EQ(h.g.foundWords.size(), 3u);
  auto row = [&](std::size_t i) {
    const FoundWord& f = h.g.foundWords[i];
    return VbToUtf8(f.module) + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + ": " + VbToUtf8(f.text);
  };
  EXPECT_EQ(row(0), "First:2:3:   Count = 1 ' Count");
  EXPECT_EQ(row(1), "Third:1:5: y = count + Count");
  EXPECT_EQ(row(2), "Third:1:13: y = count + Count");
  EXPECT_TRUE(h.Messages().empty());
  // Choosing a result brings its module's pane to the front, the word selected.
  ASSERT_TRUE(s_ShowFoundWord(h.g, h.g.foundWords[0]));
  EXPECT_EQ(h.Pane().Component().NameText(), u"First");
  EXPECT_EQ(h.Caret(), (Selection{2, 3, 2, 8}));
}

}  // namespace
}  // namespace kv
