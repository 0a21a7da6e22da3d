// Many targets in one run: a session serves one target after another and
// --jobs spreads them over threads, yet every file, line of output, report
// entry and exit code is what a run of each target on its own gives. And a
// --check run leaves no trace on disk.
#include <cstdlib>

#include "CliFixture.h"
#include "ProgramRun.h"

namespace kv::testing {
namespace {

namespace fs = std::filesystem;

// Module texts whose results would differ if anything of one target reached
// the next: a continued line or an open Type at the end, blank lines only,
// bytes that cannot be read, one already indented.
std::string Module(int i) {
  std::string name = "mod" + std::to_string(i);
  std::string head = "Attribute VB_Name = \"" + name + "\"\r\n";
  switch (i % 7) {
    case 0: return head + "Sub A()\r\nx = 1 + _\r\n";
    case 1: return head + "Private Type T\r\nA As Long\r\n";
    case 2: return head + "\r\n   \r\n";
    case 3: return head + "Sub B()\r\nIf x Then\r\ny = 2\r\nEnd If\r\nEnd Sub\r\n";
    case 4: return head + "Sub C()\r\n    Select Case x\r\n        Case 1\r\n    End Select\r\nEnd Sub\r\n";
    case 5: return head + "Sub D()\r\n" + std::string("x = 1\0", 6) + "\r\nEnd Sub\r\n";
    default: return head + "Function F() As Long\r\nWith Me\r\nF = 3 ' three\r\nEnd With\r\nEnd Function\r\n";
  }
}

class JobsTest : public CliTest {
 protected:
  // About 300 modules in three folders (one with team options of its own) and
  // a project over some of them.
  void SetUp() override {
    for (int i = 0; i < 300; ++i) {
      std::string folder = i % 3 == 0 ? "code/a/" : i % 3 == 1 ? "code/b/" : "code/team/";
      Write(folder + "mod" + std::to_string(i) + (i % 2 ? ".bas" : ".cls"), Module(i));
    }
    Write("code/team/.kestrova.ini", "[Kestrovaer]\r\nIndentSpaces=2\r\n");
    Write("code/p/P.vbp", "Type=Exe\r\nModule=m1; ..\\a\\mod3.bas\r\nModule=m2; ..\\b\\mod1.bas\r\n"
                          "Module=m3; ..\\a\\mod9.bas\r\nName=\"P\"\r\n");
  }

  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(P("code"))) {
      if (e.is_regular_file()) files[e.path().lexically_relative(P("code")).string()] = TempRead(e.path());
    }
    return files;
  }
};

TEST_F(JobsTest, EveryNumberOfJobsGivesTheOutputOfOneJob) {
  for (const char* mode : {"--check", "--diff"}) {
    CliResult one = Run({"indent", mode, "--jobs", "1", "--report", "-", "code", "code/p/P.vbp"});
    EXPECT_EQ(one.code, 2) << mode;  // the files with a NUL byte
    EXPECT_NE(one.err.find("mod5.bas: holds a NUL byte"), std::string::npos) << one.err;
    EXPECT_NE(one.out.find("mod3.bas"), std::string::npos) << one.out;
    for (const char* jobs : {"2", "3", "8"}) {
      CliResult many = Run({"indent", mode, "--jobs", jobs, "--report", "-", "code", "code/p/P.vbp"});
      EXPECT_EQ(many.code, one.code) << mode << " --jobs " << jobs;
      EXPECT_EQ(many.out, one.out) << mode << " --jobs " << jobs;
      EXPECT_EQ(many.err, one.err) << mode << " --jobs " << jobs;
    }
  }
}

TEST_F(JobsTest, AFolderRunWritesWhatEachFileOnItsOwnGets) {
  std::map<std::string, std::string> original = Files();
  for (const auto& [name, bytes] : original) {
    if (name.starts_with("b/")) Run({"indent", "code/" + name});
  }
  std::map<std::string, std::string> alone = Files();
  EXPECT_NE(alone, original);
  for (const char* jobs : {"1", "3"}) {
    for (const auto& [name, bytes] : original) Write("code/" + name, bytes);
    Run({"indent", "--jobs", jobs, "code/b"});
    EXPECT_EQ(Files(), alone) << "--jobs " << jobs;
  }
}

// Under strace, where it can trace: a --check run makes no folder, renames,
// removes or syncs nothing.
TEST_F(JobsTest, CheckLeavesNoTraceOnDisk) {
  if (std::system("strace -f -o /dev/null true >/dev/null 2>&1") != 0) GTEST_SKIP() << "strace cannot trace here";
  // Leak checking cannot run under a tracer.
  std::string command = "ASAN_OPTIONS=detect_leaks=0 strace -f -c -o " + P("trace").string() + " " + KestrovaProgram().string() +
                        " indent --check --quiet " + P("code").string() + " " + P("code/p/P.vbp").string() +
                        " >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2);
  std::string trace = TempRead(P("trace"));
  ASSERT_NE(trace.find("openat"), std::string::npos) << trace;
  for (const char* call : {"fsync", "fdatasync", "mkdir", "rename", "unlink", "rmdir"}) {
    EXPECT_EQ(trace.find(std::string(" ") + call), std::string::npos) << call << " in\n" << trace;
  }
}

}  // namespace
}  // namespace kv::testing
