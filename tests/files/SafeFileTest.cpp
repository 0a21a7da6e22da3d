// Paths as Windows wrote them, and reading and writing files safely.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "files/Paths.h"
#include "files/SafeFile.h"

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

TEST(SafeFile, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile) {
  TempFolder dir;
  fs::path file = dir.Write("m.bas", "old");
  ::chmod(file.c_str(), 0640);
  ReplaceModuleFile(file, "new bytes");
  EXPECT_EQ(test::ReadBytes(file), "new bytes");
  struct stat st {};
  ::stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
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

}  // namespace
}  // namespace kv::files
