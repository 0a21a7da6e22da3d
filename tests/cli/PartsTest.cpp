// The command line's small parts: carets, command names and the diff.
#include <gtest/gtest.h>

#include "cli/CommandNames.h"
#include "cli/Diff.h"
#include "cli/Options.h"

namespace kv::cli {
namespace {

TEST(Caret, LineColumnOrAWholeSelection) {
  EXPECT_EQ(ParseCaret("3:2"), (Selection{3, 2, 3, 2}));
  EXPECT_EQ(ParseCaret("1:1:4:9"), (Selection{1, 1, 4, 9}));
  for (const char* bad : {"", "3", "3:", ":2", "1:2:3", "a:b", "1:2:3:4:5", "1.5:2"}) EXPECT_FALSE(ParseCaret(bad)) << bad;
}

TEST(CommandNames, ByNumberOrNameInAnyCase) {
  const std::pair<const char*, std::optional<std::int16_t>> rows[] = {
      {"15", 15}, {"delete-blank-lines", 3}, {"FOLD", 25}, {"unfold_all", 27},
      {"99", 99},  // a number, which run refuses as no menu command
      {"70000", INT16_MAX}, {"-70000", INT16_MIN}, {"15x", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& [name, command] : rows) EXPECT_EQ(ParseCommand(name), command) << name;
}

TEST(Diff, HunksWithThreeLinesOfContext) {
  struct Case {
    std::string_view before, after, diff;
  } cases[] = {
      {"a\nb\n", "a\nb\n", ""}, {"a\nb\nc\n", "a\nB\nc\n", "--- x\n+++ y\n@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"},
      {"a\nb\n", "a\nb", "--- x\n+++ y\n@@ -1,2 +1,2 @@\n a\n-b\n+b\n\\ No newline at end of file\n"},
      {"1\n2\n3\n4\n5\n6\n7\n8\n9\n", "1\n2\n3\n4\n6\n7\n8\n9\n", "--- x\n+++ y\n@@ -2,7 +2,6 @@\n 2\n 3\n 4\n-5\n 6\n 7\n 8\n"},
      {"", "a\n", "--- x\n+++ y\n@@ -0,0 +1,1 @@\n+a\n"}, {"a\n", "", "--- x\n+++ y\n@@ -1,1 +0,0 @@\n-a\n"},
      {"1\nx\n3\n4\n5\n6\n7\n8\n9\ny\n", "1\nX\n3\n4\n5\n6\n7\n8\n9\nY\n",
       "--- x\n+++ y\n@@ -1,5 +1,5 @@\n 1\n-x\n+X\n 3\n 4\n 5\n@@ -7,4 +7,4 @@\n 7\n 8\n 9\n-y\n+Y\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(UnifiedDiff(c.before, c.after, "x", "y"), c.diff) << c.before;
}

TEST(Diff, ALargeMoveStaysCorrect) {
  // A fold moves a block to the end: many more differences than the budget
  // of the edit search, shown as one replacement.
  std::string before, after, moved;
  for (int i = 0; i < 3000; ++i) before += "line " + std::to_string(i) + "\n";
  for (int i = 0; i < 3000; ++i) (i < 1000 ? moved : after) += "line " + std::to_string(i) + "\n";
  after += moved;
  std::string d = UnifiedDiff(before, after, "x", "y");
  std::size_t minus = 0, plus = 0;
  for (std::size_t at = d.find('\n'); at != std::string::npos && at + 1 < d.size(); at = d.find('\n', at + 1)) {
    minus += d[at + 1] == '-';
    plus += d[at + 1] == '+';
  }
  EXPECT_EQ(minus, 3000u);  // counts the "---" line too
  EXPECT_EQ(plus, 3001u);
}

}  // namespace
}  // namespace kv::cli
