// kestrova run N FILE and kestrova indent FILE: the first contract of the
// command (write back only on change, line ends kept, standard input, the
// JSON report, exit codes) and the refusals of unusable input.
#include <nlohmann/json.hpp>

#include "CliFixture.h"
#include "cli/Report.h"

namespace kv::testing {
namespace {

constexpr std::string_view kMessy = "Sub Main()\r\nx = 1\r\nIf x Then\r\ny = 2\r\nEnd If\r\nEnd Sub\r\n";
constexpr std::string_view kTidy = "Sub Main()\r\n    x = 1\r\n    If x Then\r\n        y = 2\r\n    End If\r\nEnd Sub\r\n";

TEST_F(CliTest, IndentRewritesTheFileKeepingItsLineEnds) {
  struct Case {
    std::string_view before, after;
  } cases[] = {
      {kMessy, kTidy}, {"Sub A()\nx = 1\nEnd Sub\n", "Sub A()\n    x = 1\nEnd Sub\n"},
      {"Sub A()\nx = 1\nEnd Sub", "Sub A()\n    x = 1\nEnd Sub"},
      {"Sub A()\r\n\tx = 1\r\nEnd Sub", "Sub A()\r\n    x = 1\r\nEnd Sub"},
  };
  for (const Case& c : cases) {
    Write("m.bas", c.before);
    EXPECT_EQ(Run({"run", "15", "m.bas"}).code, 0);
    EXPECT_EQ(Read("m.bas"), c.after);
    EXPECT_EQ(Run({"indent", "m.bas"}).code, 0);
    EXPECT_EQ(Read("m.bas"), c.after);  // a second run changes nothing
  }
}

TEST_F(CliTest, AFileThatDoesNotChangeIsNotWritten) {
  Write("m.bas", kTidy);
  auto before = Stamp("m.bas");
  EXPECT_EQ(Run({"indent", "m.bas"}).code, 0);
  EXPECT_EQ(Stamp("m.bas"), before);
}

TEST_F(CliTest, StdinNameMakesStandardInputAFormWithItsHeader) {
  std::string form = "VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption = \"Main\"\r\nEnd\r\n"
                     "Attribute VB_Name = \"frmMain\"\r\nPrivate Sub Form_Load()\r\nShow\r\nEnd Sub\r\n";
  CliResult r = Run({"indent", "-", "--stdin-name", "Forms/frmMain.frm"}, form);
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "VERSION 5.00\r\nBegin VB.Form frmMain\r\n   Caption = \"Main\"\r\nEnd\r\n"
                   "Attribute VB_Name = \"frmMain\"\r\nPrivate Sub Form_Load()\r\n    Show\r\nEnd Sub\r\n");
  EXPECT_EQ(Run({"indent", "-", "--stdin-name", "notes.txt"}, form).code, 2);
  EXPECT_EQ(Run({"run", "indent-module", "-"}, std::string(kTidy)).out, kTidy);  // unchanged text still comes out
}

TEST_F(CliTest, TheReportHoldsMessagesSelectionAndFiles) {
  Write("m.bas", kMessy);
  EXPECT_EQ(Run({"run", "15", "m.bas", "--caret", "3:2", "--report", "r.json"}).code, 0);
  auto j = nlohmann::json::parse(Read("r.json"));
  EXPECT_EQ(j["messages"], nlohmann::json::array());
  EXPECT_EQ(j["selection"], nlohmann::json({3, 2, 3, 2}));
  EXPECT_EQ(j["changed"], true);
  EXPECT_EQ(j["files"][0]["path"], "m.bas");
  EXPECT_EQ(j["files"][0]["lines"], 6);

  Write("blank.bas", "  \r\n\r\n");
  CliResult r = Run({"run", "15", "blank.bas", "--caret", "1:1:1:3", "--report", "r.json"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.err, "Kestrovaer: The current module does not contain any code to indent.\n");
  j = nlohmann::json::parse(Read("r.json"));
  EXPECT_EQ(j["messages"][0]["title"], "Kestrovaer");
  EXPECT_EQ(j["messages"][0]["text"], "The current module does not contain any code to indent.");
  EXPECT_EQ(j["selection"], nlohmann::json({1, 1, 1, 3}));
  EXPECT_EQ(Read("blank.bas"), "  \r\n");  // module preparation dropped the trailing blank line
  EXPECT_EQ(j["changed"], true);
}

// A box without a title of its own (an error the IDE reports at connection)
// is still the add-in's: the report never gives a null title.
TEST(Report, ABoxWithoutItsOwnTitleCarriesTheAddInsTitle) {
  cli::Report report;
  report.messages.push_back({u"Automation error", std::nullopt});
  EXPECT_EQ(nlohmann::json::parse(report.Json())["messages"][0]["title"], "Kestrovaer");
}

TEST_F(CliTest, CheckAndDiffWriteNothingAndExitOneOnChanges) {
  Write("m.bas", kMessy);
  Write("ok.bas", kTidy);
  CliResult check = Run({"indent", "--check", "m.bas", "ok.bas"});
  EXPECT_EQ(check.code, 1);
  EXPECT_EQ(check.out, "m.bas\n");
  CliResult diff = Run({"indent", "--diff", "m.bas", "ok.bas"});
  EXPECT_EQ(diff.code, 1);
  EXPECT_EQ(diff.out.substr(0, 40), "--- a/m.bas\n+++ b/m.bas\n@@ -1,6 +1,6 @@\n");
  EXPECT_NE(diff.out.find("-x = 1\r\n-If x Then\r\n-y = 2\r\n-End If\r\n+    x = 1\r\n"), std::string::npos) << diff.out;
  EXPECT_EQ(Read("m.bas"), kMessy);
  EXPECT_EQ(Run({"indent", "--check", "ok.bas"}).code, 0);
  EXPECT_EQ(Run({"indent", "--check", "-q", "m.bas"}).out, "");
}

TEST_F(CliTest, BadUsageExitsTwo) {
  Write("m.bas", kMessy);
  Write("notes.txt", "x");
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"run", "15"}, {"run", "no-such-command", "m.bas"}, {"run", "15", "m.bas", "--caret", "3"},
           {"run", "15", "m.bas", "--caret", "a:b"}, {"run", "15", "m.bas", "--caret", "99:1"},
           {"indent", "m.bas", "--encoding", "klingon"},
           {"indent", "m.bas", "--settings", "no-such.ini"},  // fault mended: fell back to the defaults
           {"indent", "missing.bas"}, {"indent", "notes.txt"}, {"indent", "-", "-"}, {"frobnicate"}, {},
       }) {
    std::string shown;
    for (auto& a : args) shown += a + " ";
    EXPECT_EQ(Run(args).code, 2) << shown;
  }
  EXPECT_EQ(Read("m.bas"), kMessy);
  EXPECT_EQ(Run({"--version"}).code, 0);
  CliResult help = Run({"run", "--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("delete-blank-lines"), std::string::npos);
  EXPECT_NE(help.out.find("fold"), std::string::npos);
}

TEST_F(CliTest, RefusedFilesAreNamedWithTheByteOffsetAndLeftAlone) {
  struct Case {
    std::string name, bytes, message;
  } cases[] = {
      {"zero.bas", std::string("Sub A()\r\n\0", 10), "kestrova: zero.bas: holds a NUL byte at byte offset 9: not a source file\n"},
      {"bad.bas", "Sub A()\r\n' \xD6\xD0\xFF\r\nEnd Sub\r\n",
       "kestrova: bad.bas: cannot be read losslessly in gbk: byte offset 13: not a gbk character\n"},
      {"open.frm", "VERSION 5.00\r\nBegin VB.Form f\r\nSub A()\r\n", "kestrova: open.frm: the block that begins on line 2 has no End\n"},
  };
  for (const Case& c : cases) {
    Write(c.name, c.bytes);
    Write("good.bas", kMessy);
    CliResult r = Run({"indent", "--encoding", "gbk", c.name, "good.bas"});
    EXPECT_EQ(r.code, 2) << c.name;
    EXPECT_EQ(r.err, c.message);
    EXPECT_EQ(Read(c.name), c.bytes) << c.name;
    EXPECT_EQ(Read("good.bas"), kTidy) << "the other files are still done";
  }
}

TEST_F(CliTest, TextTheCodePageCannotHoldFailsTheCommandAndWritesNothing) {
  Write("settings.ini", "[Kestrovaer]\ntxtCtrl1Target=' 中文\n");
  Write("m.bas", kTidy);
  CliResult r = Run({"run", "insert-custom-text", "m.bas", "--caret", "2:1", "--settings", "settings.ini"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.err, "kestrova: m.bas: cannot be written in windows-1252: line 2, column 3: U+4E2D has no byte in "
                   "windows-1252; not written\n");
  EXPECT_EQ(Read("m.bas"), kTidy);
  // The same text is written in UTF-8 where the file is UTF-8.
  Write("u.bas", "' \xC3\xA9\r\nSub A()\r\nEnd Sub\r\n");
  EXPECT_EQ(Run({"run", "2", "u.bas", "--caret", "2:1", "--settings", "settings.ini"}).code, 0);
  EXPECT_EQ(Read("u.bas"), "' \xC3\xA9\r\n' \xE4\xB8\xAD\xE6\x96\x87Sub A()\r\nEnd Sub\r\n");
}

}  // namespace
}  // namespace kv::testing
