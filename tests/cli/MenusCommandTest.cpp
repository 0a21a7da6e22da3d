// kestrova menus lists what the add-in builds in the IDE, entry for entry;
// kestrova run clicks those controls.
#include "CliFixture.h"

namespace kv::testing {
namespace {

std::string Golden(const char* name) {
  return test::ReadBytes(std::filesystem::path(KV_SOURCE_DIR) / "tests/cli/golden" / name);
}

TEST_F(CliTest, MenusMatchTheCommandTable) {
  struct Case { const char* settings; const char* ide; const char* golden; };
  const Case cases[] = {
      {"[Kestrovaer]\nLanguage=0\n", "english", "menus-english.txt"},
      {"[Kestrovaer]\nLanguage=1\n", "chinese", "menus-chinese.txt"},
  };
  for (const Case& c : cases) {
    Write("s.ini", c.settings);
    CliResult r = Run({"menus", "--settings", "s.ini", "--ide", c.ide});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, Golden(c.golden)) << c.golden;
    EXPECT_EQ(r.err, "");
  }
  EXPECT_EQ(Run({"menus", "--ide", "klingon"}).code, 2);
}

// run N clicks the control carrying N; a number outside the menus is bad
// usage and runs nothing.
TEST_F(CliTest, RunClicksTheMenuControl) {
  constexpr std::string_view kMessy = "Sub A()\r\nx = 1\r\nEnd Sub\r\n";
  struct Case { const char* command; int code; std::string_view after; };
  const Case cases[] = {
      {"15", 0, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n"},
      {"17", 0, kMessy},  // Exit: the add-in leaves, the code stays
      {"0", 2, kMessy}, {"32", 2, kMessy}, {"-1", 2, kMessy}, {"99999", 2, kMessy},
      {"-99999999999999999999", 2, kMessy}, {"indent-sideways", 2, kMessy},
  };
  for (const Case& c : cases) {
    Write("m.bas", kMessy);
    CliResult r = Run({"run", c.command, "m.bas"});
    EXPECT_EQ(r.code, c.code) << c.command << r.err;
    EXPECT_EQ(Read("m.bas"), c.after) << c.command;
  }
  EXPECT_EQ(Run({"run", "32", "m.bas"}).err,
            "kestrova: there is no command 32; the menu commands are 1 to 31 (see kestrova run --help)\n");
}

// Fault mended: a Chinese add-in in an English IDE found no "编辑" bar and left its toolbar buttons out.
TEST_F(CliTest, MenusFollowTheUserSettings) {
  Write("user-settings.ini", "[Kestrovaer]\nLanguage=1\n");
  CliResult r = Run({"menus"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\nEdit\t7\t 清空立即窗口\t1964\ticon\tyes\ts_OrganizeModule (1)\n"), std::string::npos);
  EXPECT_NE(r.out.find("\nMenu Bar > &Edit\t6\t[&O] 其它\t-\t-\tyes\tKestrova\n"), std::string::npos);
}

}  // namespace
}  // namespace kv::testing
