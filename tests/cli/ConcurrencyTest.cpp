// Several kestrova processes at work on the same files at once: none loses
// what another wrote.
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "options/modSettings.h"

namespace kv::testing {
namespace {

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

}  // namespace
}  // namespace kv::testing
