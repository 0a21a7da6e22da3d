// "kestrova options list|get|set|example" and "kestrova about" run as a
// script runs them, with no terminal at all; "kestrova options" itself needs
// one and says so.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <tuple>
#include <vector>

#include "CliFixture.h"
#include "ProgramRun.h"
#include "options/ShowExample.h"

namespace kv::testing {
namespace {

class OptionsCommand : public CliTest {
 protected:
  ProgramResult Kv(std::vector<std::string> args) {
    return RunKestrova(P(""), std::move(args), {{"KESTROVA_SETTINGS", Settings().string()}});
  }
  std::filesystem::path Settings() const { return P("settings.ini"); }
};

TEST_F(OptionsCommand, ScriptsNeedNoTerminal) {
  struct Step { std::vector<std::string> args; int code; std::string out; };
  const Step steps[] = {
      {{"options", "get", "IndentSpaces"}, 1, ""},  // not stored yet
      {{"options", "set", "IndentSpaces", "3"}, 0, "3\n"},
      {{"options", "get", "IndentSpaces"}, 0, "3\n"},
      {{"options", "set", "indentspaces", "-2.5"}, 1, "2\n"},  // keys in any case, the window's correction
      {{"options", "set", "IndentSpaces", "12"}, 1, "\n"},  // out of range: the window empties the box
      {{"options", "set", "AlignEOLCol", "1005"}, 1, "100\n"},  // three characters fit the box: 100
      {{"options", "set", "AlignEOLCol", "0050"}, 1, "5\n"},  // "005" fits the box
      {{"options", "set", "txtIndentMod", "é"}, 1, "É\n"},  // upper case beyond ASCII, as VB's UCase
      {{"options", "set", "txtIndentMod", "中"}, 0, "中\n"},
      {{"options", "set", "txtIndentMod", ""}, 1, "M\n"},
      {{"options", "set", "txtCtrl1", "ab"}, 1, "a\n"},
      {{"options", "set", "txtCtrl1", "q"}, 0, "q\n"},  // stored as typed
      {{"options", "set", "txtCtrl1Target", "a\r\nb\rc"}, 1, "a\r\nb\r\nc\n"},  // the IDE's lines end in CR LF
      {{"options", "set", "txtCtrl1Target", "a\r\nb"}, 0, "a\r\nb\n"},
      {{"options", "set", "IndentCase", "y"}, 0, "Y\n"},  // a spelling the check box takes
      {{"options", "set", "IndentCase", "yes"}, 2, ""},
      {{"options", "set", "Language", "简体中文"}, 0, "1\n"},
      {{"options", "set", "Language", "english"}, 0, "0\n"},  // a list item by its name, any case
      {{"options", "set", "Language", "2"}, 2, ""},
      {{"options", "set", "NoSuchKey", "1"}, 2, ""},
      {{"options", "get", "NoSuchKey"}, 2, ""},
  };
  for (const Step& step : steps) {
    ProgramResult r = Kv(step.args);
    std::string command;
    for (const std::string& a : step.args) command += a + " ";
    EXPECT_EQ(r.code, step.code) << command << r.err;
    EXPECT_EQ(r.out, step.out) << command;
  }
}

TEST_F(OptionsCommand, SetSaysWhenTheWindowCorrectedTheValue) {
  EXPECT_NE(Kv({"options", "set", "IndentSpaces", "12"}).err.find("turns 12 into \"\""), std::string::npos);
  EXPECT_EQ(Kv({"options", "set", "IndentSpaces", "4"}).err, "");
  EXPECT_NE(Kv({"options", "set", "chkF1", "yes"}).err.find("takes Y or N"), std::string::npos);
}

TEST_F(OptionsCommand, ListShowsStoredAndShownValues) {
  Write("settings.ini", std::string("[Kestrovaer]\nIndentSpaces=3\ntxtIndentMod=kk\nLanguage=7\n"));
  ProgramResult r = Kv({"options", "list", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  nlohmann::json list = nlohmann::json::parse(r.out);
  ASSERT_EQ(list.size(), 21u);
  EXPECT_EQ(list[0]["key"], "IndentSpaces");
  EXPECT_EQ(list[0]["stored"], "3");
  EXPECT_EQ(list[0]["shown"], "3");
  EXPECT_TRUE(list[1]["stored"].is_null());  // IndentProc
  EXPECT_EQ(list[1]["shown"], "Y");
  EXPECT_EQ(list[7]["shown"], "简体中文");  // Language 7 by hand, read by the add-in's rule
  EXPECT_EQ(list[12]["shown"], "M");        // txtIndentMod "kk"

  ProgramResult table = Kv({"options", "list"});
  EXPECT_NE(table.out.find("IndentProc          default  (absent)  Y\n"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("txtCtrl1Target      default  (absent)  '\n"), std::string::npos) << table.out;
}

// list, get and example see the team's .kestrova.ini over the user's, from
// the current folder up, as indent does; set still writes the user's file.
TEST_F(OptionsCommand, ReadingSeesTheTeamFile) {
  Write("settings.ini", "[Kestrovaer]\nIndentSpaces=3\nIndentCase=N\n");
  Write(".kestrova.ini", "[Kestrovaer]\nIndentSpaces=2\nCodePage=gbk\n");
  nlohmann::json list = nlohmann::json::parse(Kv({"options", "list", "--json"}).out);
  const std::tuple<int, const char*, const char*> rows[] = {
      {0, "IndentSpaces", "team"}, {4, "IndentCase", "user"}, {5, "AlignEOL", "default"}};
  for (auto [i, key, source] : rows) {
    EXPECT_EQ(list[i]["key"], key);
    EXPECT_EQ(list[i]["source"], source) << key;
  }
  EXPECT_EQ(list[0]["stored"], "2");
  EXPECT_EQ(Kv({"options", "get", "IndentSpaces"}).out, "2\n");
  EXPECT_EQ(Kv({"options", "--settings", Settings().string(), "get", "IndentSpaces"}).out, "3\n");  // that file alone
  EXPECT_EQ(Kv({"options", "get", "--settings", Settings().string(), "IndentCase"}).out, "N\n");
  EXPECT_NE(Kv({"options", "example"}).out.find("\n  If You Want More Then\n"), std::string::npos);
  ProgramResult set = Kv({"options", "set", "IndentSpaces", "5"});
  EXPECT_NE(set.err.find("also set in the team options"), std::string::npos) << set.err;
  EXPECT_EQ(Read("settings.ini").find("IndentSpaces=5") != std::string::npos, true);
  EXPECT_EQ(Read(".kestrova.ini"), "[Kestrovaer]\nIndentSpaces=2\nCodePage=gbk\n");
}

TEST_F(OptionsCommand, ExampleIsTheWindowsExampleForTheStoredOptions) {
  Kv({"options", "set", "IndentSpaces", "2"});
  Kv({"options", "set", "AlignEOL", "Y"});
  Kv({"options", "set", "AlignEOLCol", "30"});
  ProgramResult r = Kv({"options", "example"});
  ASSERT_EQ(r.code, 0) << r.err;
  ExampleOptions options;
  options.spaces = u"2";
  options.alignColumn = u"30";
  options.indentProc = true;
  options.indentCmt = true;
  options.alignEOL = true;
  options.indentFirst = true;  // not stored: the indenter's default
  options.indentCase = true;
  std::string expected;
  for (const VbString& line : BuildExample(options)) expected += VbToUtf8(line) + "\n";
  EXPECT_EQ(r.out, expected);
}

TEST_F(OptionsCommand, WindowWithoutATerminalExitsTwo) {
  ProgramResult r = Kv({"options"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("scripts can use \"kestrova options list|get|set|example\""), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(Settings()));
}

TEST_F(OptionsCommand, AboutWithoutATerminalPrintsItsTexts) {
  EXPECT_EQ(Kv({"about"}).out, "About Kestrovaer\nKestrova v2.8\nhttps://kestrova.example/\n");
  Kv({"options", "set", "Language", "1"});
  EXPECT_EQ(Kv({"about"}).out, "关于Kestrova\nKestrova v2.8\nhttps://kestrova.example/\n");
}

}  // namespace
}  // namespace kv::testing
