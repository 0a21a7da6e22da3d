// WritePrivateProfileStringA on real files: creation, replacement of one
// value, and everything else in the file kept as it was.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class ProfileFileTest : public ::testing::Test {
 protected:
  TempFolder windows;
  HeadlessPlatform platform{{windows.Path()}};
  std::filesystem::path ini = windows / "vbaddin.ini";
};

TEST_F(ProfileFileTest, CreatesTheFileInTheWindowsDirectory) {
  EXPECT_TRUE(platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "0", "vbaddin.ini"));
  EXPECT_EQ(ReadBytes(ini), "[Add-Ins32]\r\nKestrova=0\r\n");
  EXPECT_EQ(platform.WindowsDirectory(), windows.Path());
}

TEST_F(ProfileFileTest, EditsKeepEverythingElse) {
  const struct { const char* before; const char* after; } cases[] = {
      {"; list\r\n[Add-Ins32]\r\nA.Connect=1\r\nKestrova=3\r\n\r\n[Other]\r\nKestrova=5\r\n",
       "; list\r\n[Add-Ins32]\r\nA.Connect=1\r\nKestrova=0\r\n\r\n[Other]\r\nKestrova=5\r\n"},
      {"[add-ins32]\r\nKESTROVA=1\r\n", "[add-ins32]\r\nKESTROVA=0\r\n"},
      {"[Add-Ins32]\r\nKestrova = 1\r\n", "[Add-Ins32]\r\nKestrova = 0\r\n"},
      {"[Add-Ins32]\r\nKestrova=\r\n", "[Add-Ins32]\r\nKestrova=0\r\n"},
      {"[Add-Ins32]\r\nA.Connect=1\r\n\r\n[Other]\r\n", "[Add-Ins32]\r\nA.Connect=1\r\nKestrova=0\r\n\r\n[Other]\r\n"},
      {"[Other]\r\nx=1\r\n", "[Other]\r\nx=1\r\n[Add-Ins32]\r\nKestrova=0\r\n"},
      {"[Other]\nx=1", "[Other]\nx=1\n[Add-Ins32]\nKestrova=0\n"},
      {"[Add-Ins32]\nKestrova=1\r\nB=2", "[Add-Ins32]\nKestrova=0\r\nB=2"},
      {"[Add-Ins32]\r\nKestrova=1\r\n[Add-Ins32]\r\nKestrova=2\r\n",
       "[Add-Ins32]\r\nKestrova=0\r\n[Add-Ins32]\r\nKestrova=2\r\n"},
      {"\xEF\xBB\xBF[Add-Ins32]\r\nKestrova=1\r\n", "\xEF\xBB\xBF[Add-Ins32]\r\nKestrova=0\r\n"},
      {"stray text\r\n[Add-Ins32]\r\n", "stray text\r\n[Add-Ins32]\r\nKestrova=0\r\n"},
      {"", "[Add-Ins32]\r\nKestrova=0\r\n"},
  };
  for (const auto& c : cases) {
    WriteBytes(ini, c.before);
    EXPECT_TRUE(platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "0", "vbaddin.ini")) << c.before;
    EXPECT_EQ(ReadBytes(ini), c.after) << c.before;
  }
}

TEST(ProfileFileInMemoryTest, WithoutAWindowsDirectoryTheFileStaysInMemory) {
  TempFolder cwd;
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(cwd.Path());
  HeadlessPlatform platform{{}};
  EXPECT_FALSE(platform.ProfileFileInMemory("vbaddin.ini"));
  EXPECT_TRUE(platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "3", "vbaddin.ini"));
  EXPECT_TRUE(platform.WritePrivateProfileStringA("add-ins32", "KESTROVA", "0", "VBADDIN.INI"));
  EXPECT_TRUE(platform.WritePrivateProfileStringA("Other", "x", "1", "vbaddin.ini"));
  EXPECT_EQ(platform.ProfileFileInMemory("VbAddIn.ini"), "[Add-Ins32]\r\nKestrova=0\r\n[Other]\r\nx=1\r\n");
  EXPECT_FALSE(platform.WritePrivateProfileStringA("", "x", "1", "vbaddin.ini"));
  std::filesystem::current_path(before);
  EXPECT_TRUE(std::filesystem::is_empty(cwd.Path()));
}

TEST_F(ProfileFileTest, RefusesWhatCouldNotBeReadBack) {
  const struct { const char* section; const char* key; const char* value; } cases[] = {
      {"", "K", "V"},   {"S", "", "V"},       {"S]", "K", "V"},  {"S", "K=", "V"},
      {"S", ";K", "V"}, {"S", "K", "a\r\nb"}, {"S\n", "K", "V"}, {"S", "[K", "V"},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(platform.WritePrivateProfileStringA(c.section, c.key, c.value, "vbaddin.ini")) << c.section << c.key;
  EXPECT_FALSE(std::filesystem::exists(ini));
}

TEST_F(ProfileFileTest, FailsWhenTheFileCannotBeWritten) {
  EXPECT_FALSE(platform.WritePrivateProfileStringA("S", "K", "V", "no-such-folder/vbaddin.ini"));
  std::filesystem::create_directory(windows / "folder.ini");
  EXPECT_FALSE(platform.WritePrivateProfileStringA("S", "K", "V", "folder.ini"));
}

#ifdef _WIN32
// A read-only file (the attribute Windows keeps) is refused and left whole.
TEST_F(ProfileFileTest, RefusesAReadOnlyFile) {
  using std::filesystem::perms;
  WriteBytes(ini, "[Add-Ins32]\r\nKestrova=1\r\n");
  std::filesystem::permissions(ini, perms::owner_read | perms::group_read | perms::others_read);
  EXPECT_FALSE(platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "0", "vbaddin.ini"));
  EXPECT_EQ(ReadBytes(ini), "[Add-Ins32]\r\nKestrova=1\r\n");
  EXPECT_EQ(windows.Entries(), std::vector<std::string>{"vbaddin.ini"});
  std::filesystem::permissions(ini, perms::owner_write, std::filesystem::perm_options::add);
}
#else
TEST_F(ProfileFileTest, ReplacesAtomicallyAndKeepsPermissions) {
  WriteBytes(ini, "[Add-Ins32]\r\nKestrova=1\r\n");
  ::chmod(ini.c_str(), 0640);
  struct stat before {}, after{};
  ::stat(ini.c_str(), &before);
  const int old = ::open(ini.c_str(), O_RDONLY);  // held open, its inode cannot be reused
  EXPECT_TRUE(platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "0", "vbaddin.ini"));
  ::stat(ini.c_str(), &after);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the old one's place
  ::close(old);
  EXPECT_EQ(after.st_mode & 0777, 0640u);
  EXPECT_EQ(windows.Entries(), std::vector<std::string>{"vbaddin.ini"});
}

TEST_F(ProfileFileTest, ASymbolicLinkStaysALink) {
  WriteBytes(windows / "real.ini", "[S]\r\nK=1\r\n");
  std::filesystem::create_symlink("real.ini", ini);
  EXPECT_TRUE(platform.WritePrivateProfileStringA("S", "K", "2", "vbaddin.ini"));
  EXPECT_TRUE(std::filesystem::is_symlink(ini));
  EXPECT_EQ(ReadBytes(windows / "real.ini"), "[S]\r\nK=2\r\n");
}
#endif  // _WIN32

}  // namespace
}  // namespace kv::platform
