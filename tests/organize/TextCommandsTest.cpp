// The whole-module text commands, run through the dispatcher on a module of
// the in-memory IDE: the module after the command, and the caret put back.
#include "organize/TextCommands.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"
#include "support/frmProgress.h"

namespace kv {
namespace {

using test::RunOn;

struct Case { const char* before; const char* after; };

void RunTable(std::int16_t n, std::initializer_list<Case> cases) {
  const Selection caret{2, 3, 2, 3};
  for (const Case& c : cases) {
    const test::Outcome out = RunOn(n, c.before, caret);
    EXPECT_EQ(out.module, c.after) << "command " << n << " on " << c.before;
    EXPECT_EQ(out.caret, caret) << c.before;
    EXPECT_TRUE(out.ran && out.messages.empty()) << c.before;
  }
}

TEST(DeleteBlankLines, Command3) {
  RunTable(cmd::kDeleteBlankLines, {
      {"A||  |B", "A|B"},
      {"A|\t|B", "A|\t|B"},  // a tab is not blank
      {"Option Explicit|||private sub X()|End Sub", "Option Explicit||Private Sub X()|End Sub"},
      {"Private Sub A()|End Sub", "|Private Sub A()|End Sub"},  // a first header gets its empty line too
      {"x = 1|    public function F()", "x = 1||    Public Function F()"},
      {"x|Private Sub", "x||Private Sub"},
      {"x|Private Subtotal As Long", "x|Private Subtotal As Long"},  // a longer word
      {"x|Private  Sub A()", "x|Private  Sub A()"}, {"x = 1 ' Private Sub A()|y", "x = 1 ' Private Sub A()|y"},
      {R"(s = "a Private Sub b"|y)", R"(s = "a Private Sub b"|y)"},
      {"' note _|Private Sub A()|End Sub", "' note _|Private Sub A()|End Sub"},  // continues the comment
      // A blank line that a " _" line continues into belongs to that line:
      // deleting it would turn the header below into comment.
      {"Rem note _||Public Sub A()", "Rem note _|||Public Sub A()"}, {"x = 1 + _||  |y", "x = 1 + _||y"},
      {"Declare Sub Q Lib \"q\" _|Private Sub A()", "Declare Sub Q Lib \"q\" _|Private Sub A()"},
      {"End Sub|Public Sub B()|End Sub|Public Type T", "End Sub||Public Sub B()|End Sub||Public Type T"},
  });
}

TEST(MergeBlankLines, Command4) {
  RunTable(cmd::kMergeBlankLines, {
      {"A||  |B", "A||B"},
      {"A|  ||B", "A|  |B"},  // the first of the run survives as it was
      {"A|\t||B", "A|\t||B"}, {"||A||||B|x", "|A||B|x"}, {"A|B", "A|B"},
  });
}

// Fault mended: a program's own text inside string literals was converted.
TEST(ChineseSymbolsToEnglish, Command20) {
  RunTable(cmd::kChineseToEnglish, {
      {"x = Mid（s， 1）|y", "x = Mid(s, 1)|y"},
      {"MsgBox “Hello”|y", "MsgBox \"Hello\"|y"},  // a mistyped literal becomes one
      {"x = a —— b|y", "x = a __ b|y"},
      {"MsgBox \"你好，世界——再见（“甲”）\"|y", "MsgBox \"你好，世界——再见（“甲”）\"|y"},
      {"s = \"a\"\"，\"\"b\" ' （注）|y", "s = \"a\"\"，\"\"b\" ' (注)|y"},
      {"' 他说 \"好，的\"|y", "' 他说 \"好,的\"|y"},  // a comment holds no literals
      {"Rem \"（x）\"|y", "Rem \"(x)\"|y"}, {"x = 1: Rem \"（x）\"|y", "x = 1: Rem \"(x)\"|y"},
      {"' a _|\"（b）\"|\"（c）\"", "' a _|\"(b)\"|\"（c）\""},  // the continued comment, then code again
      {"s = \"a，b|y，", "s = \"a，b|y,"},  // an open literal ends with its line
      {"x = 1|", "x = 1"},
  });
}

// Fault mended: words inside literals, comments and longer names were swapped.
TEST(PrivateToPublic, Command21) {
  RunTable(cmd::kPrivateToPublic, {
      {"private sub X()|End Sub", "Public sub X()|End Sub"},
      {"Private Function IsPrivate() As Boolean|y", "Public Function IsPrivate() As Boolean|y"},
      {"Option Private Module|Private x", "Option Private Module|Public x"},
      {"Private x As Long: Private y As Long|z", "Public x As Long: Public y As Long|z"},
      {"Private Const S = \"Private\" ' Private|z", "Public Const S = \"Private\" ' Private|z"},
      {"Rem Private|x = 1: Rem Private", "Rem Private|x = 1: Rem Private"},
      {"Private Private_x, 变量Private|PRIVATE y", "Public Private_x, 变量Private|Public y"},
      {"' a _|Private x|Private y", "' a _|Private x|Public y"}, {"Public x|y", "Public x|y"},
      {"Rem\tPrivate x|y", "Rem\tPrivate x|y"},  // Rem and a tab begin a comment
      {"Rem|Private x", "Rem|Public x"},            // Rem alone ends with its line
  });
}

TEST(PublicToPrivate, Command22) {
  RunTable(cmd::kPublicToPrivate, {
      {"Public Republic As Long|y", "Private Republic As Long|y"},
      {"Public Sub A(): Public_B|End Sub", "Private Sub A(): Public_B|End Sub"},
      {"Option Private Module|Public Type T", "Option Private Module|Private Type T"},
      {"MsgBox \"Public\" ' Public|y", "MsgBox \"Public\" ' Public|y"},
  });
}

TEST(TextCommands, EmptyModuleStaysEmpty) {
  for (std::int16_t n : {cmd::kDeleteBlankLines, cmd::kMergeBlankLines, cmd::kChineseToEnglish,
                         cmd::kPrivateToPublic, cmd::kPublicToPrivate}) {
    EXPECT_EQ(RunOn(n, "", {1, 1, 1, 1}).module, "") << n;
    EXPECT_EQ(RunOn(n, "||", {1, 1, 1, 1}).module, "") << n;  // preparation empties it
  }
}

TEST(TextCommands, OneWholeTextReplacementEach) {
  for (std::int16_t n : {cmd::kDeleteBlankLines, cmd::kMergeBlankLines, cmd::kChineseToEnglish,
                         cmd::kPrivateToPublic, cmd::kPublicToPrivate}) {
    test::Harness h;
    h.OpenModuleLines(test::Bars("A||B|C"));
    const std::uint64_t before = h.Module().Revision();
    h.RunCommand(n);
    EXPECT_EQ(h.Module().Revision() - before, 2u) << n;  // one deletion, one insertion
  }
}

// The transformations alone, on texts the dispatcher never hands over.
TEST(TextCommands, PureTransformations) {
  EXPECT_EQ(test::TextBars(f_BreakBefore(test::Text("a|public sub b|Private Sub c"), u"Public Sub")),
            "a||Public Sub b|Private Sub c");
  EXPECT_EQ(f_DeleteBlankLines(u""), u"");
  EXPECT_EQ(f_MergeBlankLines(u"a\r\n\r\n"), u"a\r\n\r\n");  // each kept line ends with CR LF
  EXPECT_EQ(f_ChineseSymbolsToEnglish(U("（\r\n）")), u"(\r\n)");
  EXPECT_EQ(f_ReplaceScopeWord(u"Private\r\nprivate", u"Private", u"Public"), u"Public\r\nPublic");
}

}  // namespace
}  // namespace kv
