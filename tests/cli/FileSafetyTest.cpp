// What kestrova must never do to the user's files: write over an input with
// its report, write after a failed command, write a read-only module, follow
// a link out of a folder to a file that is not a module.
#include <sys/wait.h>
#include <unistd.h>

#include "CliFixture.h"

namespace kv::testing {
namespace {

constexpr std::string_view kMessy = "Sub Main()\r\nx = 1\r\nEnd Sub\r\n";

TEST_F(CliTest, TheReportNeverTakesThePlaceOfAnInputOrAVbFile) {
  struct Case {
    std::vector<std::string> args;
  } cases[] = {
      {{"indent", "a.bas", "b.bas", "--report", "a.bas"}},
      {{"indent", "a.bas", "b.bas", "--report", "./b.bas"}},
      {{"indent", "--check", "a.bas", "--report", "a.bas"}},
      {{"indent", "a.bas", "--report", "p.vbp"}},
      {{"indent", "a.bas", "--report", "other.CLS"}},
      {{"indent", "a.bas", "--report", "f.frx"}},
  };
  for (const Case& c : cases) {
    Write("a.bas", kMessy);
    Write("b.bas", kMessy);
    Write("p.vbp", "Module=a; a.bas\r\n");
    CliResult r = Run(c.args);
    EXPECT_EQ(r.code, 2) << c.args.back();
    EXPECT_EQ(Read("a.bas"), kMessy) << c.args.back();
    EXPECT_EQ(Read("b.bas"), kMessy) << c.args.back();
    EXPECT_EQ(Read("p.vbp"), "Module=a; a.bas\r\n") << c.args.back();
  }
}

TEST_F(CliTest, ACaretOutsideTheModuleIsBadUsageAndNothingIsWritten) {
  struct Case {
    std::string command, caret;
    int code;
  } cases[] = {
      {"add-sub", "3:2147483647", 2},       {"insert-custom-text", "3:2147483647", 2},
      {"add-sub", "3:9", 2},                {"add-sub", "1:1:3:9", 2},
      {"add-sub", "4:1", 2},                {"add-sub", "2:0", 2},
      {"add-function", "2:6", 0},  // one past the end of "x = 1"
  };
  for (const Case& c : cases) {
    Write("m.bas", kMessy);
    CliResult r = Run({"run", c.command, "m.bas", "--caret", c.caret});
    EXPECT_EQ(r.code, c.code) << c.command << " " << c.caret << r.err;
    if (c.code != 0) {
      EXPECT_EQ(Read("m.bas"), kMessy) << c.command << " " << c.caret;
    }
  }
}

TEST_F(CliTest, AReadOnlyModuleIsNotWrittenAndTheOthersAre) {
  for (mode_t mode : {0444, 0400, 0555}) {
    Write("a.bas", kMessy);
    Write("b.bas", kMessy);
    ::chmod(P("a.bas").c_str(), mode);
    CliResult r = Run({"indent", "a.bas", "b.bas"});
    EXPECT_EQ(r.code, 3) << mode;
    EXPECT_EQ(r.err, "kestrova: a.bas: read-only; not written\n") << mode;
    EXPECT_EQ(Read("a.bas"), kMessy) << mode;
    EXPECT_EQ(Read("b.bas"), "Sub Main()\r\n    x = 1\r\nEnd Sub\r\n") << mode;
    ::chmod(P("a.bas").c_str(), 0644);
  }
}

TEST_F(CliTest, ARunRemovesWhatAKilledRunLeftInTheFolder) {
  pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  std::string leftover = ".m.bas.tmp-" + std::to_string(gone) + "-Ab12Cd";
  Write(leftover, "half");
  Write("m.bas", kMessy);
  EXPECT_EQ(Run({"indent", "m.bas"}).code, 0);
  EXPECT_FALSE(std::filesystem::exists(P(leftover)));
}

}  // namespace
}  // namespace kv::testing
