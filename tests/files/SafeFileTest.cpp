// Paths as Windows wrote them, and reading and writing files safely.
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "files/Paths.h"
#include "files/SafeFile.h"
#include "platform/TemporaryFile.h"

namespace kv::files {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(Paths, BackslashesAndLetterCaseAsWindowsWroteThem) {
  TempFolder dir;
  fs::path real = dir.Write("Src/Forms/frmMain.FRM", "x");
  struct Case {
    std::string_view written;
    bool found;
  } cases[] = {
      {"Src\\Forms\\frmMain.FRM", true}, {"src\\FORMS\\FRMMAIN.frm", true}, {".\\SRC\\forms\\.\\frmmain.frm", true},
      {"Src/Forms/frmMain.FRM", true},   {"Src\\Forms\\frmOther.frm", false}, {"C:\\Src\\Forms\\frmMain.FRM", false},
  };
  for (const Case& c : cases) {
    auto got = ResolveWindowsPath(dir.Path(), c.written);
    EXPECT_EQ(got.has_value(), c.found) << c.written;
    if (got && c.found) {
      EXPECT_TRUE(fs::equivalent(*got, real)) << c.written;
    }
  }
  dir.Write("lib/Util.bas", "x");
  EXPECT_TRUE(ResolveWindowsPath(dir.Path() / "Src", "..\\LIB\\util.BAS"));
}

TEST(Paths, ModuleKindsByExtensionInAnyCase) {
  using vbide::ComponentType;
  const std::pair<const char*, ComponentType> kinds[] = {
      {"a.BAS", ComponentType::StdModule}, {"a.Cls", ComponentType::ClassModule}, {"a.frm", ComponentType::VBForm},
      {"a.ctl", ComponentType::UserControl}, {"a.PAG", ComponentType::PropPage}, {"a.dob", ComponentType::DocObject},
      {"a.Dsr", ComponentType::ActiveXDesigner},
  };
  for (const auto& [name, kind] : kinds) EXPECT_EQ(ModuleTypeOf(name), kind) << name;
  for (const char* other : {"a.frx", "a.vbp", "a.txt", "a.bas.bak", "bas", "a.ctx"}) EXPECT_FALSE(IsModuleFile(other)) << other;
  EXPECT_TRUE(IsProjectFile("Ledger.VBP"));
}

TEST(SafeFile, ALinkKeepsPointingAtItsFile) {
  TempFolder dir;
  fs::path file = dir.Write("real.bas", "old");
  fs::create_symlink(file, dir.Path() / "link.bas");
  ReplaceModuleFile(dir.Path() / "link.bas", "new");
  EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.bas"));
  EXPECT_EQ(test::ReadBytes(file), "new");
}

TEST(SafeFile, OnlyModuleFilesAreEverWritten) {
  TempFolder dir;
  for (const char* name : {"p.vbp", "f.frx", "notes.txt", "m.bas.orig"}) {
    fs::path file = dir.Write(name, "keep");
    EXPECT_THROW(ReplaceModuleFile(file, "lost"), FileError) << name;
    EXPECT_EQ(test::ReadBytes(file), "keep") << name;
  }
}

TEST(SafeFile, AFailedReplaceLeavesNoTemporaryFile) {
  TempFolder dir;
  fs::create_directories(dir.Path() / "odd.bas");  // a folder can never be replaced by a file
  EXPECT_THROW(ReplaceModuleFile(dir.Path() / "odd.bas", "lost"), FileError);
  EXPECT_TRUE(fs::is_directory(dir.Path() / "odd.bas"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(SafeFile, NulBytesAndHugeFilesAreRefused) {
  TempFolder dir;
  fs::path nul = dir.Write("n.bas", std::string("Sub A()\r\n\0x", 11));
  try {
    ReadSourceFile(nul);
    ADD_FAILURE();
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "holds a NUL byte at byte offset 9: not a source file");
  }
  fs::path huge = dir.Write("h.bas", "");
  fs::resize_file(huge, kMaxSourceSize + 1);
  EXPECT_THROW(ReadSourceFile(huge), FileError);
  fs::resize_file(huge, 10);
  EXPECT_THROW(ReadSourceFile(huge), FileError);  // ten NUL bytes
  EXPECT_THROW(ReadSourceFile(dir.Path() / "missing.bas"), FileError);
  EXPECT_THROW(ReadSourceFile(dir.Path()), FileError);
  ::mkfifo((dir.Path() / "pipe.bas").c_str(), 0600);
  EXPECT_THROW(ReadSourceFile(dir.Path() / "pipe.bas"), FileError);  // refused, not waited on
}

TEST(SafeFile, EveryHardLinkSeesTheNewTextAndAttributesStay) {
  TempFolder dir;
  fs::path file = dir.Write("m.bas", "old");
  fs::create_hard_link(file, dir.Path() / "other.bas");
  ::chmod(file.c_str(), 0640);
  struct stat before {};
  ::stat(file.c_str(), &before);
  ReplaceModuleFile(file, "new text");
  struct stat after {};
  ::stat(file.c_str(), &after);
  EXPECT_EQ(test::ReadBytes(dir.Path() / "other.bas"), "new text");
  EXPECT_EQ(test::ReadBytes(file), "new text");
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 2);

  fs::path tagged = dir.Write("t.bas", "old");
  if (::setxattr(tagged.c_str(), "user.checkout", "yes", 3, 0) != 0) GTEST_SKIP() << "no extended attributes here";
  ReplaceModuleFile(tagged, "new");
  char value[8] = {};
  EXPECT_EQ(::getxattr(tagged.c_str(), "user.checkout", value, sizeof value), 3);
  EXPECT_STREQ(value, "yes");
}

// A child process that is in the middle of writing a replacement when a
// signal ends it. Returns the signal that ended it.
int DieWhileWriting(const fs::path& target, int signal) {
  pid_t child = ::fork();
  if (child == 0) {
    platform::RemoveTemporaryFilesOnSignals();
    std::error_code error;
    platform::TemporaryFile temporary(target, error);
    ::raise(signal);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

TEST(TemporaryFiles, ASignalRemovesTheFileBeingWrittenAndAKillLeavesItForTheNextRun) {
  struct Case {
    int signal;
    std::size_t left;
  } cases[] = {{SIGINT, 1}, {SIGTERM, 1}, {SIGKILL, 2}};
  for (const Case& c : cases) {
    TempFolder dir;
    fs::path target = dir.Write("m.bas", "old");
    EXPECT_EQ(DieWhileWriting(target, c.signal), c.signal);
    EXPECT_EQ(dir.Entries().size(), c.left) << c.signal;
    platform::RemoveStaleTemporaryFiles(dir.Path());
    EXPECT_EQ(dir.Entries().size(), 1u) << c.signal;
  }
  // Only the leftovers of processes that are gone, and only such names.
  TempFolder dir;
  for (std::string name : {".m.bas.tmp-" + std::to_string(::getppid()) + "-abcdef", std::string(".m.bas.tmp-1x-abcdef"),
                           std::string(".m.bas.tmp-abcdef"), std::string("m.bas.tmp-999999999-abcdef")}) {
    dir.Write(name, "x");
  }
  platform::RemoveStaleTemporaryFiles(dir.Path());
  EXPECT_EQ(dir.Entries().size(), 4u);
}

}  // namespace
}  // namespace kv::files
