// Several kestrova processes at work on the same files at once: none loses
// what another wrote.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "cli/ProgramRun.h"
#include "files/SafeFile.h"
#include "options/modSettings.h"

namespace kv::testing {
namespace {

namespace fs = std::filesystem;


// Two processes each set keys of their own in the same settings file.
TEST(Concurrency, TwoProcessesSettingKeysLoseNone) {
  kv::test::TempFolder folder;
  const std::filesystem::path file = folder / "settings.ini";
  constexpr int kKeys = 150;
  pid_t children[2] = {};
  for (int who = 0; who < 2; ++who) {
    children[who] = ::fork();
    if (children[who] == 0) {
      SettingsStore store(file);
      for (int k = 0; k < kKeys; ++k) {
        store.WriteSetting(U("P" + std::to_string(who) + "Key" + std::to_string(k)), ToVb(k));
      }
      ::_exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  SettingsStore store(file);
  int missing = 0;
  for (int who = 0; who < 2; ++who) {
    for (int k = 0; k < kKeys; ++k) {
      if (store.ReadSetting(U("P" + std::to_string(who) + "Key" + std::to_string(k)), u"") != ToVb(k)) ++missing;
    }
  }
  EXPECT_EQ(missing, 0);
}

// Another program's change between the read and the write is never lost.
TEST(Concurrency, AFileChangedSinceItWasReadIsLeftAlone) {
  struct Case {
    const char* change;
    void (*apply)(const fs::path&);
  } cases[] = {
      {"appended", [](const fs::path& f) { std::ofstream(f, std::ios::app) << "x"; }},
      {"same size", [](const fs::path& f) { std::ofstream(f, std::ios::binary) << "Sub B()\r\n"; }},
      {"replaced", [](const fs::path& f) {
         std::ofstream(f.string() + ".new") << "Sub A()\r\n";
         fs::rename(f.string() + ".new", f);
       }},
      {"touched", [](const fs::path& f) { fs::last_write_time(f, fs::last_write_time(f) + std::chrono::seconds(1)); }},
  };
  for (const Case& c : cases) {
    kv::test::TempFolder dir;
    fs::path file = dir / "m.bas";
    std::ofstream(file, std::ios::binary) << "Sub A()\r\n";
    platform::FileStamp stamp;
    files::ReadSourceFile(file, &stamp);
    c.apply(file);
    std::string theirs = ReadBytes(file);
    try {
      files::ReplaceModuleFile(file, "ours", &stamp);
      ADD_FAILURE() << c.change;
    } catch (const files::FileError& e) {
      EXPECT_STREQ(e.what(), "changed while kestrova worked; not written") << c.change;
    }
    EXPECT_EQ(ReadBytes(file), theirs) << c.change;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1) << c.change;
  }
}

}  // namespace
}  // namespace kv::testing
