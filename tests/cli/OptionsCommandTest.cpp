// "kestrova options list|get|set|example" and "kestrova about" run as a
// script runs them, with no terminal at all; "kestrova options" itself needs
// one and says so.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
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
      {{"options", "set", "indentspaces", "-2.5"}, 0, ""},  // keys in any case, the window's correction
      {{"options", "get", "IndentSpaces"}, 0, "2\n"}, {{"options", "set", "txtIndentMod", "k"}, 0, ""},
      {{"options", "get", "txtIndentMod"}, 0, "K\n"}, {{"options", "set", "IndentCase", "yes"}, 2, ""},
      {{"options", "set", "Language", "简体中文"}, 0, ""}, {{"options", "get", "Language"}, 0, "1\n"},
      {{"options", "set", "NoSuchKey", "1"}, 2, ""}, {{"options", "get", "NoSuchKey"}, 2, ""},
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
  ASSERT_EQ(list.size(), 19u);
  EXPECT_EQ(list[0], nlohmann::json::parse(R"({"key": "IndentSpaces", "stored": "3", "shown": "3"})"));
  EXPECT_TRUE(list[1]["stored"].is_null());  // IndentProc
  EXPECT_EQ(list[1]["shown"], "Y");
  EXPECT_EQ(list[7]["shown"], "简体中文");  // Language 7 by hand, read by the add-in's rule
  EXPECT_EQ(list[12]["shown"], "M");        // txtIndentMod "kk"

  ProgramResult table = Kv({"options", "list"});
  EXPECT_NE(table.out.find("IndentProc          (absent)  Y\n"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("txtCtrl1Target      (absent)  '\n"), std::string::npos) << table.out;
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
  std::string expected;
  for (const VbString& line : BuildExample(options)) expected += VbToUtf8(line) + "\n";
  EXPECT_EQ(r.out, expected);
}

TEST_F(OptionsCommand, SettingsFileCanBeNamed) {
  const std::string other = P("team.ini").string();
  EXPECT_EQ(Kv({"options", "--settings", other, "set", "chkF2", "Y"}).code, 0);
  EXPECT_EQ(Kv({"options", "get", "--settings", other, "chkF2"}).out, "Y\n");
  EXPECT_EQ(Kv({"options", "get", "chkF2"}).code, 1);
}

TEST_F(OptionsCommand, WindowWithoutATerminalExitsTwo) {
  ProgramResult r = Kv({"options"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("needs a terminal"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(Settings()));
}

TEST_F(OptionsCommand, AboutWithoutATerminalPrintsItsTexts) {
  EXPECT_EQ(Kv({"about"}).out, "About Kestrovaer\nKestrova v2.8\nhttps://kestrova.example/\n");
  Kv({"options", "set", "Language", "1"});
  EXPECT_EQ(Kv({"about"}).out, "关于Kestrova\nKestrova v2.8\nhttps://kestrova.example/\n");
}

}  // namespace
}  // namespace kv::testing
