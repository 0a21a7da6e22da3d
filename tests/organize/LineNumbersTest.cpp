// Line numbers (23, 24), trimming (13), the edition code (30, 31) and the .asp
// commands (11, 12), run through the dispatcher on modules of the in-memory
// IDE. Modules are "|"-separated lines.
#include "organize/LineNumbers.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"
#include "organize/ProCode.h"

namespace kv {
namespace {

using test::Harness;
using test::RunOn;

struct Case {
  const char* before;
  const char* after;
  const char* message = nullptr;  // the closing message's start, when there is one
};

void RunTable(std::int16_t n, std::initializer_list<Case> cases, std::string_view settings = "") {
  for (const Case& c : cases) {
    Harness h;
    if (!settings.empty()) {
      const std::size_t eq = settings.find('=');
      h.settings.WriteSetting(U(settings.substr(0, eq)), U(settings.substr(eq + 1)));
    }
    const test::Outcome out = RunOn(n, c.before, {1, 1, 1, 1}, h);
    EXPECT_EQ(out.module, c.after) << "command " << n << " on " << c.before;
    if (c.message) {
      ASSERT_EQ(out.messages.size(), 1u) << c.before;
      EXPECT_TRUE(VbToUtf8(out.messages[0]).starts_with(c.message)) << VbToUtf8(out.messages[0]);
    } else {
      EXPECT_TRUE(out.messages.empty()) << c.before;
    }
  }
}

TEST(LineNumbers, AddNumbersStatementLinesOfEveryProcedure) {
  RunTable(cmd::kAddLineNumbers, {
      {"Sub A()|    x = 1|End Sub", "Sub A()|10  x = 1|End Sub"},
      {"Option Explicit|Dim m As Long|Sub A()|x = 1|End Sub", "Option Explicit|Dim m As Long|Sub A()|10 x = 1|End Sub"},
      // Dim, Case, Else and End If are numbered; blank lines, comments,
      // continuations, directives and labelled lines are not.
      {"Private Function F(a, _|  b)|    Dim i|    ' note|||#If X Then|    Select Case a|        Case 1: F = 1 _|"
       "            + 2|    End Select|#End If|Retry:|    45 y = 2|End Function",
       "Private Function F(a, _|  b)|10  Dim i|    ' note|||#If X Then|20  Select Case a|30      Case 1: F = 1 _|"
       "            + 2|40  End Select|#End If|Retry:|45 y = 2|End Function"},
      {"Sub A()|\tx = 1|  y = 2|End Sub", "Sub A()|10 x = 1|20 y = 2|End Sub"},  // shallower than the number
      {"Sub A()|End Sub|Type T|  n As Long|End Type", "Sub A()|End Sub|Type T|  n As Long|End Type"},
      {"Sub A()|    x = 1|    10 y = 2|    z = 3|End Sub", "Sub A()|20  x = 1|10 y = 2|30  z = 3|End Sub"},
      {"Property Get P()|    P = 1|End Property|Private Sub Q()|    Beep|End Sub",
       "Property Get P()|10  P = 1|End Property|Private Sub Q()|10  Beep|End Sub"},
      {"Private Declare Sub S Lib \"k\" ()|x = 1", "Private Declare Sub S Lib \"k\" ()|x = 1"},
      {"Sub A()|End Sub", "Sub A()|End Sub"},  // a procedure without a body
  });
  RunTable(cmd::kAddLineNumbers, {{"Sub A()|      x = 1|      y = 2|End Sub", "Sub A()|1000  x = 1|1010  y = 2|End Sub"}},
           "LineNumberStart=1000");
  RunTable(cmd::kAddLineNumbers, {{"Sub A()|      x = 1|      y = 2|End Sub", "Sub A()|10    x = 1|510   y = 2|End Sub"}},
           "LineNumberStep=500");
}

TEST(LineNumbers, OptionsAreKeptWithinTheirRange) {
  Harness h;
  for (auto [stored, read] : {std::pair{"", 10}, {"0", 1}, {"-5", 1}, {"20000", 10000}, {"abc", 10}, {"25", 25}}) {
    if (*stored) h.settings.WriteSetting(u"LineNumberStep", U(stored));
    EXPECT_EQ(ReadLineNumberOption(h.g, u"LineNumberStep"), read) << stored;
  }
}

TEST(LineNumbers, NumbersNeverPassTheLargestErlCanReport) {
  std::string body = "Sub Big()";
  for (int i = 0; i < 7; ++i) body += "|    x = 1";
  body += "|End Sub|Sub Small()|    y = 1|End Sub";
  Harness h;
  h.settings.WriteSetting(u"LineNumberStart", u"10000");
  h.settings.WriteSetting(u"LineNumberStep", u"10000");
  const test::Outcome out = RunOn(cmd::kAddLineNumbers, body, {1, 1, 1, 1}, h);
  EXPECT_TRUE(out.module.starts_with("Sub Big()|    x = 1|")) << out.module;
  EXPECT_TRUE(out.module.ends_with("Sub Small()|10000 y = 1|End Sub")) << out.module;
  ASSERT_EQ(out.messages.size(), 1u);
  EXPECT_TRUE(VbToUtf8(out.messages[0]).ends_with(": Big"));
}

TEST(LineNumbers, DeleteKeepsTheNumbersStatementsReferTo) {
  RunTable(cmd::kDeleteLineNumbers, {
      {"Sub A()|10  x = 1|20  y = 2|End Sub", "Sub A()|    x = 1|    y = 2|End Sub"},
      {"Sub A()|10 On Error GoTo 40|20 GoSub 50|30 On x GoTo 60, 70|40 Resume 80|50 If a Then 90 Else 95|"
       "60 y = Erl|70 ' note|80|90 Return|95 End|96 z = \"GoTo 97\"|97 ' GoTo 98|98 Retry:|End Sub",
       "Sub A()|   On Error GoTo 40|   GoSub 50|   On x GoTo 60, 70|40 Resume 80|50 If a Then 90 Else 95|"
       "60 y = Erl|70 ' note|80|90 Return|95 End|   z = \"GoTo 97\"|   ' GoTo 98|Retry:|End Sub",
       "7 line number(s) stayed"},
      // A number belongs to its procedure.
      {"Sub A()|10 GoTo 20|20 x = 1|End Sub|Sub B()|20 y = 1|End Sub",
       "Sub A()|   GoTo 20|20 x = 1|End Sub|Sub B()|   y = 1|End Sub", "1 line number(s) stayed"},
      {"Sub A()|Retry: x = 1|10: y = 1|x = 1 + _|20|End Sub", "Sub A()|Retry: x = 1|10: y = 1|x = 1 + _|20|End Sub"},
      {"Sub A()|End Sub|Sub B()|End Sub", "Sub A()|End Sub|Sub B()|End Sub"},
  });
}

TEST(LineNumbers, AddThenDeleteGivesBackTheText) {
  for (const char* module : {"Sub A()|    If a Then|        x = 1 _|            + 2|    Else|        ' c|    End If|End Sub",
                             "Function F()|        Dim i|\t\tF = 1|End Function|Sub B()||    Beep|End Sub"}) {
    Harness h;
    test::Outcome numbered = RunOn(cmd::kAddLineNumbers, module, {1, 1, 1, 1}, h);
    EXPECT_TRUE(h.RunCommand(cmd::kAddLineNumbers));
    EXPECT_EQ(test::Bars(h.Lines()), numbered.module) << "a second run changes nothing";
    EXPECT_TRUE(h.RunCommand(cmd::kIndentModule));
    const std::string indented = test::Bars(h.Lines());
    EXPECT_TRUE(h.RunCommand(cmd::kIndentModule));
    EXPECT_EQ(test::Bars(h.Lines()), indented) << "indentation of numbered code settles";
    Harness back;
    EXPECT_EQ(RunOn(cmd::kDeleteLineNumbers, numbered.module, {1, 1, 1, 1}, back).module,
              std::string(module).find('\t') == std::string::npos ? module
                                                                    : "Function F()|        Dim i|   F = 1|End Function|Sub B()||    Beep|End Sub");
  }
}

TEST(TrimSpaces, Command13) {
  RunTable(cmd::kTrimSpaces, {
      {"Sub A()|    x = 1  |\t y = 2\t|' note _| goes on  |End Sub", "Sub A()|x = 1|y = 2|' note _|goes on|End Sub"},
      {"  a = \" b \"  |   |", "a = \" b \""},  // trailing blank lines go at preparation
  });
}

TEST(AspCommands, SayTheyAreNotOffered) {
  for (std::int16_t n : {cmd::kCodeToAsp, cmd::kCodeFromAsp}) {
    RunTable(n, {{"x = 1  ", "x = 1  ", "Exchanging code with .asp files is not offered."}});
  }
}

TEST(ProCode, CommentAndUncommentBetweenTheLabels) {
  const char* start = "    If f_chkPro = True Then '<kv_pro_start>";
  const char* end = "    End If '<kv_pro_end>";
  struct Row {
    std::string before, commented;
    bool paired = true;
  };
  const std::string s = start, e = end;
  const Row rows[] = {
      {"x|" + s + "|        y = 1|||\t' z|  'w|" + e + "|v", "x|" + s + "|        'y = 1|||\t'' z|  ''w|" + e + "|v"},
      {s + "|a|" + e + "|b|" + s + "|c|" + e, s + "|'a|" + e + "|b|" + s + "|'c|" + e},
      {s + "|a", "", false},
      {"a|" + e, "", false},
      {s + "|" + s + "|a|" + e + "|" + e, "", false},
      {"x = \"'<kv_pro_start>\" 'no label|y", "x = \"'<kv_pro_start>\" 'no label|y"},
  };
  for (const Row& r : rows) {
    std::optional<VbString> commented = f_ProCode(test::Text(r.before), true);
    ASSERT_EQ(commented.has_value(), r.paired) << r.before;
    if (!commented) continue;
    EXPECT_EQ(test::TextBars(*commented), r.commented);
    EXPECT_EQ(f_ProCode(*commented, false), test::Text(r.before)) << "uncommenting gives the text back";
  }
}

TEST(ProCode, RunsOverEveryModuleOfTheProjectAndNamesUnpairedOnes) {
  Harness h;
  h.AddModule(u"a\r\n'<kv_pro_start>\r\nb\r\n'<kv_pro_end>", u"Good");
  h.AddModule(u"'<kv_pro_start>\r\nc", u"Broken");
  h.AddModule(u"d", u"Plain");
  h.Open(h.AddModule(u"e", u"Other"));
  EXPECT_TRUE(h.RunCommand(cmd::kCommentProCode));
  auto text = [&](std::size_t i) { return VbToUtf8(h.Project().Components()[i]->Code().Text()); };
  EXPECT_EQ(text(0), "a\r\n'<kv_pro_start>\r\n'b\r\n'<kv_pro_end>");
  EXPECT_EQ(text(1), "'<kv_pro_start>\r\nc");
  ASSERT_EQ(h.Messages().size(), 1u);
  EXPECT_TRUE(VbToUtf8(h.Messages()[0]).ends_with(": Broken"));
  EXPECT_TRUE(h.RunCommand(cmd::kUncommentProCode));
  EXPECT_EQ(text(0), "a\r\n'<kv_pro_start>\r\nb\r\n'<kv_pro_end>");
}

}  // namespace
}  // namespace kv
