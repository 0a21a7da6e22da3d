// kestrova's standard streams as a script meets them: output to a full disk,
// input that is a folder, closed, or endless. No failure may pass for success.
#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "cli/ProgramRun.h"

namespace kv::testing {
namespace {

constexpr std::string_view kMessy = "Sub A()\r\nx = 1\r\nEnd Sub\r\n";

class StandardStreams : public ::testing::Test {
 protected:
  StandardStreams() {
    std::ofstream(dir_ / "m.bas", std::ios::binary) << kMessy;
    std::ofstream(dir_ / "in.bas", std::ios::binary) << kMessy;
  }
  ProgramResult Run(std::vector<std::string> args, const Streams& streams) {
    return RunKestrova(dir_.Path(), std::move(args), {{"KESTROVA_SETTINGS", (dir_ / "s.ini").string()}}, streams);
  }
  kv::test::TempFolder dir_;
};

TEST_F(StandardStreams, AFailedWriteOfStandardOutputExitsThree) {
  struct Case {
    std::vector<std::string> args;
  } cases[] = {
      {{"indent", "-"}},
      {{"indent", "m.bas", "--report", "-"}},
      {{"indent", "--check", "m.bas"}},
      {{"indent", "--diff", "m.bas"}},
      {{"indent", "m.bas", "--report", "/dev/full"}},
  };
  for (const Case& c : cases) {
    std::ofstream(dir_ / "m.bas", std::ios::binary) << kMessy;
    ProgramResult r = Run(c.args, {(dir_ / "in.bas").string(), "/dev/full"});
    EXPECT_EQ(r.code, 3) << c.args[1] << " " << c.args.back() << r.err;
    EXPECT_NE(r.err.find("cannot be written"), std::string::npos) << c.args.back();
  }
}

TEST_F(StandardStreams, UnreadableOrEndlessStandardInputExitsTwo) {
  struct Case {
    std::string in;
    std::string_view message;
  } cases[] = {
      {"", "kestrova: -: standard input cannot be read\n"},
      {"/", "kestrova: -: standard input cannot be read\n"},
      {"/dev/zero", "kestrova: -: is more than the 64 MiB a source file may hold\n"},
  };
  for (const Case& c : cases) {
    ProgramResult r = Run({"indent", "-"}, {c.in, std::nullopt});
    EXPECT_EQ(r.code, 2) << c.in;
    EXPECT_EQ(r.err, c.message) << c.in;
    EXPECT_EQ(r.out, "") << c.in;
  }
  EXPECT_EQ(Run({"indent", "-"}, {(dir_ / "in.bas").string(), std::nullopt}).out, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n");
}

// TMPDIR is the environment's too: indent and menus need no temporary folder
// (the module's temporary copy is made beside it), and the language server,
// which does, says so clearly instead of crashing.
TEST_F(StandardStreams, ABadTmpdirIsNeverACrash) {
  std::ofstream(dir_ / "file") << "x";
  for (std::string tmpdir : {(dir_ / "missing").string(), (dir_ / "file").string(), std::string()}) {
    std::ofstream(dir_ / "m.bas", std::ios::binary) << kMessy;
    ProgramResult r = RunKestrova(dir_.Path(), {"indent", "m.bas"},
                                  {{"KESTROVA_SETTINGS", (dir_ / "s.ini").string()}, {"TMPDIR", tmpdir}});
    EXPECT_EQ(r.code, 0) << tmpdir << r.err;
    EXPECT_EQ(ReadBytes(dir_ / "m.bas"), "Sub A()\r\n    x = 1\r\nEnd Sub\r\n");
    EXPECT_EQ(RunKestrova(dir_.Path(), {"menus"}, {{"TMPDIR", tmpdir}}).code, 0) << tmpdir;
    ProgramResult lsp = RunKestrova(dir_.Path(), {"lsp"}, {{"TMPDIR", tmpdir}});
    EXPECT_EQ(lsp.code, 3) << tmpdir;
    EXPECT_NE(lsp.err.find("cannot create a temporary folder"), std::string::npos) << lsp.err;
  }
}

}  // namespace
}  // namespace kv::testing
