// kestrova run by root in a folder that another user owns: that user may
// plant links and swap files at any moment, and root must never write, or
// hand over, anything outside the modules it was given.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "cli/ProgramRun.h"
#include "files/SafeFile.h"

namespace kv::testing {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534;  // nobody

void WriteAs(const fs::path& file, std::string_view bytes, uid_t owner, mode_t mode = 0644) {
  std::ofstream(file, std::ios::binary) << bytes;
  ASSERT_EQ(::chown(file.c_str(), owner, owner), 0);
  ::chmod(file.c_str(), mode);
}

class ForeignFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root";
    folder_ = root_ / "theirs";
    fs::create_directory(folder_);
    ASSERT_EQ(::chown(folder_.c_str(), kOtherUser, kOtherUser), 0);
    victim_ = root_ / "victim.txt";
    WriteAs(victim_, "root's own", 0, 0600);
  }
  std::string Victim() const { return ReadBytes(victim_); }
  uid_t VictimOwner() const {
    struct stat st {};
    ::stat(victim_.c_str(), &st);
    return st.st_uid;
  }

  kv::test::TempFolder root_;
  fs::path folder_, victim_;
};

// The other user swaps the module for a link to root's file while it is
// replaced, again and again.
TEST_F(ForeignFolder, ALinkSwappedInDuringTheReplaceGetsNothing) {
  fs::path module = folder_ / "a.bas";
  WriteAs(module, "Sub A()\r\nEnd Sub\r\n", kOtherUser);
  std::atomic<bool> stop = false;
  std::thread swapper([&] {
    fs::path link = folder_ / ".l", plain = folder_ / ".p";
    while (!stop) {
      ::symlink(victim_.c_str(), link.c_str());
      ::rename(link.c_str(), module.c_str());
      std::ofstream(plain) << "Sub A()\r\nEnd Sub\r\n";
      (void)!::chown(plain.c_str(), kOtherUser, kOtherUser);
      ::rename(plain.c_str(), module.c_str());
    }
  });
  for (int i = 0; i < 200 && VictimOwner() == 0; ++i) {
    try {
      files::ReplaceModuleFile(module, "Sub A()\r\n    x = 1\r\nEnd Sub\r\n");
    } catch (const files::FileError&) {
    }
  }
  stop = true;
  swapper.join();
  EXPECT_EQ(VictimOwner(), 0u);
}

TEST_F(ForeignFolder, TheOwnerIsKeptThroughTheDescriptor) {
  fs::path module = folder_ / "a.bas";
  WriteAs(module, "Sub A()\r\nx = 1\r\nEnd Sub\r\n", kOtherUser, 0640);
  RunKestrova(root_.Path(), {"indent", module.string()});
  struct stat st {};
  ::stat(module.c_str(), &st);
  EXPECT_EQ(st.st_uid, kOtherUser);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(ReadBytes(module), "Sub A()\r\n    x = 1\r\nEnd Sub\r\n");
}

// Links the other user planted in a folder given to kestrova.
TEST_F(ForeignFolder, LinksInAFolderReachOnlyModules) {
  constexpr std::string_view kMessy = "Sub A()\r\nx = 1\r\nEnd Sub\r\n";
  WriteAs(root_ / "victim.vbp", kMessy, 0);
  WriteAs(victim_, kMessy, 0);
  WriteAs(root_ / "real.bas", kMessy, kOtherUser);
  struct Case {
    const char* link;
    fs::path target;
    bool followed;
  } cases[] = {
      {"p.bas", root_ / "victim.vbp", false},
      {"q.cls", victim_, false},
      {"r.frm", root_.Path(), false},
      {"s.bas", root_ / "real.bas", true},
  };
  for (const Case& c : cases) fs::create_symlink(c.target, folder_ / c.link);
  ProgramResult r = RunKestrova(root_.Path(), {"indent", folder_.string()});
  EXPECT_EQ(r.code, 0) << r.err;
  for (const Case& c : cases) {
    if (fs::is_regular_file(c.target)) {
      EXPECT_EQ(ReadBytes(c.target) != kMessy, c.followed) << c.link;
    }
    EXPECT_EQ(r.err.find(std::string(c.link) + ": is a link") == std::string::npos, c.followed) << c.link;
  }
}

// The other user's TMPDIR, where no folder can be made (its path is one
// folder name short of the longest a path may be) but a link to root's file
// waits under the name of the IDE's profile file: the run keeps that file in
// memory and never looks there.
TEST_F(ForeignFolder, APlantedLinkInTmpdirGetsNothing) {
  std::string tmpdir = folder_.string();
  while (tmpdir.size() < 4082) tmpdir += "/" + std::string(std::min<std::size_t>(200, 4082 - tmpdir.size() - 1), 'd');
  fs::create_directories(tmpdir);
  ASSERT_EQ(::symlink(victim_.c_str(), (tmpdir + "/vbaddin.ini").c_str()), 0);
  fs::path module = root_ / "a.bas";
  WriteAs(module, "Sub A()\r\nx = 1\r\nEnd Sub\r\n", 0);
  ProgramResult r = RunKestrova(root_.Path(), {"indent", module.string()},
                                {{"TMPDIR", tmpdir}, {"KESTROVA_SETTINGS", (root_ / "s.ini").string()}});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(Victim(), "root's own");
  EXPECT_EQ(VictimOwner(), 0u);
}

}  // namespace
}  // namespace kv::testing
