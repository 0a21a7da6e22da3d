// Folding and unfolding procedures through the dispatcher, and the round
// trip: every fold comes back by unfold and by unfold-all.
#include "organize/Folding.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"
#include "organize/VbLineScanner.h"

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
      {"Private Sub A()|End Sub|x", 1, "Private Sub A()|End Sub|x"},
      {"a||b", 2, "a||b"},
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

// ---- The round trip ----

// Every form a head and an End line may take, and three procedures that
// cannot fold (no scope, a Property, a head inside an open #If block).
constexpr const char* kModule =
    "Option Explicit|Private m As Long||' About A|Private Sub A()|    m = 1|End Sub||"
    "  Public Function B(x As Long) As Long   |    B = x|  End Function||"
    "\tPrivate Sub C()|\tEnd Sub\t|Public Sub D(): m = 2|End Sub: ' D ends|' between|"
    "Public Function E()|#If X Then|    E = 1|#Else|    E = 2|#End If|End Function' E ends|"
    "Sub NoScope()|End Sub|Public Property Get P() As Long|End Property|"
    "#If VBA7 Then|Private Function F() As LongPtr|#Else|Private Function F() As Long|#End If|End Function|"
    "' trailing comment";

const char* const kFoldable[] = {"Private Sub A()", "Public Function B(", "Private Sub C()", "Public Sub D()",
                                 "Public Function E()"};

// The line (from 1) of the module that holds `text` after leading white
// space, or 0.
std::int32_t LineOf(test::Harness& h, std::string_view text, bool marker = false) {
  const std::vector<VbString> lines = h.Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    VbString t(SkipLeadingWhite(lines[i]));
    if (marker != t.starts_with(kFoldMarker)) continue;
    if (marker) t = VbString(SkipLeadingWhite(t.substr(kFoldMarker.size())));
    if (t.starts_with(U(text))) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

void RunAt(test::Harness& h, std::int16_t n, std::int32_t line) {
  ASSERT_GT(line, 0);
  h.Pane().Select({line, 1, line, 1});
  ASSERT_TRUE(h.RunCommand(n));
}

TEST(Folding, EveryFoldComesBackByUnfold) {
  for (const char* header : kFoldable) {
    test::Harness h;
    h.OpenModuleLines(test::Bars(kModule));
    RunAt(h, cmd::kFold, LineOf(h, header) + 1);
    ASSERT_NE(test::Bars(h.Lines()), kModule) << header;
    RunAt(h, cmd::kUnfold, LineOf(h, header, true));
    EXPECT_EQ(test::Bars(h.Lines()), kModule) << header;
  }
}

TEST(Folding, EveryFoldComesBackByUnfoldAll) {
  test::Harness h;
  h.OpenModuleLines(test::Bars(kModule));
  for (const char* header : kFoldable) RunAt(h, cmd::kFold, LineOf(h, header));
  for (const char* header : kFoldable) EXPECT_GT(LineOf(h, header, true), 0) << header;
  RunAt(h, cmd::kUnfoldAll, 1);
  EXPECT_EQ(test::Bars(h.Lines()), kModule);
}

TEST(Folding, ProceduresThatCannotFoldStayInPlace) {
  for (const char* header : {"Sub NoScope()", "Private Function F() As LongPtr"}) {
    test::Harness h;
    h.OpenModuleLines(test::Bars(kModule));
    RunAt(h, cmd::kFold, LineOf(h, header));
    EXPECT_EQ(test::Bars(h.Lines()), kModule) << header;
  }
}

TEST(Folding, LineKinds) {
  struct Kind {
    const char* line;
    int kind;
  };
  const Kind kinds[] = {
      {"Private Sub A()", 1},   {"  public function F", 1}, {"\tPublic Sub A()", 1}, {"Private\tSub A()", 1},
      {"Private  Sub A()", 0},  {"Friend Sub A()", 0},      {"Private Subs", 0},     {"Private", 0},
      {"End Sub", 2},           {"end function", 2},         {"\tEnd Sub\t", 2},      {"End Sub:x = 1", 2},
      {"End Sub'x", 2},         {"End Subx", 0},             {"End Property", 0},     {"' Private Sub A()", 0},
  };
  for (const Kind& k : kinds) EXPECT_EQ(f_LineKind(U(k.line)), k.kind) << k.line;
  EXPECT_TRUE(f_StartsWith(u" \tabc  ", u"abc"));
  EXPECT_FALSE(f_StartsWith(u"abc", u"ABC"));
}

}  // namespace
}  // namespace kv
