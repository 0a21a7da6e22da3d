// Folding and unfolding procedures through the dispatcher.
#include "organize/Folding.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"

namespace kv {
namespace {

using test::RunOn;

// The marker before a header, in the tables' UTF-8.
#define MARK "'[+]<kv_unflod:^+) "

struct Case {
  const char* before;
  std::int32_t line;  // the caret's line (column 1)
  const char* after;
};

void RunTable(std::int16_t n, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    const Selection caret{c.line, 1, c.line, 1};
    const test::Outcome out = RunOn(n, c.before, caret);
    EXPECT_EQ(out.module, c.after) << "command " << n << " on " << c.before;
    EXPECT_EQ(out.caret, caret) << c.before;
    EXPECT_TRUE(out.ran && out.messages.empty()) << c.before;
  }
}

constexpr const char* kTwo =
    "Option Explicit||Private Sub A()|  x = 1|End Sub||Public Function B() As Long|  B = 2|End Function";

TEST(Folding, Fold) {
  RunTable(cmd::kFold, {
      {kTwo, 4,
       "Option Explicit||" MARK "Private Sub A()||Public Function B() As Long|  B = 2|End Function||"
       "Private Sub A()|  x = 1|End Sub"},
      {kTwo, 9,
       "Option Explicit||Private Sub A()|  x = 1|End Sub||" MARK "Public Function B() As Long||"
       "Public Function B() As Long|  B = 2|End Function"},
      // The head right after the previous End line.
      {"Private Sub A()|End Sub|Private Sub B()|  y|End Sub", 4,
       "Private Sub A()|End Sub|" MARK "Private Sub B()||Private Sub B()|  y|End Sub"},
      // Headers and End lines behind tabs; an End line with a colon or a comment.
      {"\tPrivate Sub A()|\t\tx = 1|\tEnd Sub", 2, MARK "\tPrivate Sub A()||\tPrivate Sub A()|\t\tx = 1|\tEnd Sub"},
      {"Private Sub A()|End Sub: ' a|Private Sub B()|End Sub", 1,
       MARK "Private Sub A()|Private Sub B()|End Sub||Private Sub A()|End Sub: ' a"},
      {"Private Sub A()|End Sub' a", 1, MARK "Private Sub A()||Private Sub A()|End Sub' a"},
      // Comments above the head and a closed #If block there stay above the marker.
      {"Private Sub B()|End Sub|#If DEBUG Then|' trace|#End If|Private Sub A()|  x|End Sub", 7,
       "Private Sub B()|End Sub|#If DEBUG Then|' trace|#End If|" MARK "Private Sub A()||Private Sub A()|  x|End Sub"},
      {"Private Sub A()|#If X Then|  a|#Else|  b|#End If|End Sub", 3,
       MARK "Private Sub A()||Private Sub A()|#If X Then|  a|#Else|  b|#End If|End Sub"},
      // Lines the procedure owns below its End line stay where they are.
      {"Private Sub A()|End Sub|' tail", 1, MARK "Private Sub A()|' tail||Private Sub A()|End Sub"},
  });
}

// Fault mended: a head inside an open #If block left a second marker and cut the block in two.
TEST(Folding, FoldLeavesTheModuleAlone) {
  RunTable(cmd::kFold, {
      {"Sub A()|  x|End Sub", 2, "Sub A()|  x|End Sub"},
      {"Friend Function B()|End Function", 1, "Friend Function B()|End Function"},
      {"Private Static Sub C()|End Sub", 1, "Private Static Sub C()|End Sub"},
      // A head inside an open #If block, once per branch.
      {"#If VBA7 Then|Private Function F() As LongPtr|#Else|Private Function F() As Long|#End If|  F = 1|End Function",
       6, "#If VBA7 Then|Private Function F() As LongPtr|#Else|Private Function F() As Long|#End If|  F = 1|End Function"},
      {"Private Sub C()|Private Sub C()|End Sub", 3, "Private Sub C()|Private Sub C()|End Sub"},
      // An End line inside an #If block of the procedure.
      {"Private Sub A()|#If X Then|End Sub|#Else|End Sub|#End If", 1,
       "Private Sub A()|#If X Then|End Sub|#Else|End Sub|#End If"},
  });
}

TEST(Folding, FoldOutsideASubOrFunctionIsAnError) {
  for (const char* module : {"Option Explicit|Dim x|Private Sub A()|End Sub", "Public Property Get P()|End Property"}) {
    test::Harness h;
    const test::Outcome out = RunOn(cmd::kFold, module, {1, 1, 1, 1}, h);
    EXPECT_FALSE(out.ran) << module;
    EXPECT_EQ(out.messages.size(), 1u) << module;
    EXPECT_EQ(out.module, module);
  }
}

// Fault mended: a header behind leading blanks folded but could never come back.
TEST(Folding, Unfold) {
  RunTable(cmd::kUnfold, {
      {"Option Explicit||" MARK "Private Sub A()||Public Function B() As Long|  B = 2|End Function||"
       "Private Sub A()|  x = 1|End Sub",
       3, kTwo},
      {"  \t" MARK "Private Sub A()|x||Private Sub A()|End Sub", 1, "Private Sub A()|End Sub|x"},
      {MARK "  Private Sub A()  |x||  Private Sub A()|  End Sub", 1, "  Private Sub A()|  End Sub|x"},
      // The empty line the fold left stays when other folded procedures follow.
      {MARK "Private Sub A()|" MARK "Private Sub B()||Private Sub A()|End Sub||Private Sub B()|End Sub", 1,
       "Private Sub A()|End Sub|" MARK "Private Sub B()|||Private Sub B()|End Sub"},
  });
}

TEST(Folding, UnfoldLeavesTheModuleAlone) {
  RunTable(cmd::kUnfold, {
      {"Private Sub A()|End Sub|x", 3, "Private Sub A()|End Sub|x"},  // not a marker
      {"Private Sub A()|End Sub|x", 1, "Private Sub A()|End Sub|x"}, {"a||b", 2, "a||b"},
      {MARK "Private Sub Gone()|x", 1, MARK "Private Sub Gone()|x"},  // nothing matches
      {"'[+]<kv_unfold:^+) Private Sub A()|x||Private Sub A()|End Sub", 1,
       "'[+]<kv_unfold:^+) Private Sub A()|x||Private Sub A()|End Sub"},  // not the marker's spelling
      {MARK "Private Sub A()|x||Private Sub A()|  y", 1, MARK "Private Sub A()|x||Private Sub A()|  y"},
      {"Private Sub A()|" MARK "Private Sub A()|End Sub", 2, "Private Sub A()|" MARK "Private Sub A()|End Sub"},
      {MARK, 1, MARK},
  });
}

TEST(Folding, UnfoldAll) {
  RunTable(cmd::kUnfoldAll, {
      {"Option Explicit||" MARK "Private Sub A()||" MARK "Public Function B() As Long||Private Sub A()|  x = 1|End Sub||"
       "Public Function B() As Long|  B = 2|End Function",
       1, kTwo},
      // The last line is examined only after a first unfold.
      {"Private Sub A()|End Sub|" MARK "Private Sub A()", 1, "Private Sub A()|End Sub|" MARK "Private Sub A()"},
      {MARK "Private Sub A()|Private Sub B()|End Sub|Private Sub A()|End Sub|" MARK "Private Sub B()", 1,
       "Private Sub A()|End Sub|Private Sub B()|End Sub"},
      {MARK "Private Sub Gone()|" MARK "Private Sub A()||Private Sub A()|End Sub", 1,
       MARK "Private Sub Gone()|Private Sub A()|End Sub"},
      {"a|b", 1, "a|b"},
  });
}

}  // namespace
}  // namespace kv
