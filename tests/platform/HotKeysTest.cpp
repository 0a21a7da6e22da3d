// Hot-key registration, its refusals, and what a press of a combination does.
#include <gtest/gtest.h>

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

using testing::Keys;
using testing::Received;
using testing::Recorder;
using Strings = std::vector<std::string>;

class HotKeysTest : public ::testing::Test {
 protected:
  HotKeysTest() {
    hotKeyWindow = platform.CreateWindowA("HotKey", Recorder(hotKeyLog));
    editor = platform.CreateWindowA("Editor", Recorder(editorLog));
    platform.ShowWindow(editor, true);
    platform.SetFocus(editor);
  }
  HeadlessPlatform platform{{}};
  std::vector<Received> hotKeyLog, editorLog;
  HWND hotKeyWindow = 0, editor = 0;
};

TEST_F(HotKeysTest, RefusalCases) {
  platform.ReserveHotKey(MOD_CONTROL, 'Q');
  ASSERT_TRUE(platform.RegisterHotKey(hotKeyWindow, 3, MOD_CONTROL, 'M'));
  const struct {
    const char* why;
    HWND window;
    std::int32_t id;
    std::uint32_t modifiers;
    std::uint32_t vk;
    bool registered;
  } cases[] = {
      {"another program holds it", hotKeyWindow, 4, MOD_CONTROL, 'Q', false},
      {"same id on the same window", hotKeyWindow, 3, MOD_CONTROL, 'K', false},
      {"combination taken, other id", hotKeyWindow, 4, MOD_CONTROL, 'M', false},
      {"combination taken, other window", editor, 3, MOD_CONTROL, 'M', false},
      {"no such window", 4242, 5, MOD_CONTROL, 'P', false},
      {"same id on another window", editor, 3, MOD_CONTROL, 'K', true},
      {"same key, other modifiers", hotKeyWindow, 6, MOD_NONE, 'M', true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform.RegisterHotKey(c.window, c.id, c.modifiers, c.vk), c.registered) << c.why;
  ASSERT_EQ(platform.RegisteredHotKeys().size(), 3u);
  EXPECT_EQ(platform.RegisteredHotKeys()[0].vk, std::uint32_t{'M'});  // the refusals changed nothing
}

TEST_F(HotKeysTest, UnregisterOnlyWhatIsRegistered) {
  platform.RegisterHotKey(hotKeyWindow, 1, MOD_NONE, vk::kF1);
  EXPECT_FALSE(platform.UnregisterHotKey(editor, 1));
  EXPECT_FALSE(platform.UnregisterHotKey(hotKeyWindow, 2));
  EXPECT_TRUE(platform.UnregisterHotKey(hotKeyWindow, 1));
  EXPECT_FALSE(platform.UnregisterHotKey(hotKeyWindow, 1));
  EXPECT_TRUE(platform.RegisteredHotKeys().empty());
  EXPECT_TRUE(platform.RegisterHotKey(hotKeyWindow, 1, MOD_NONE, vk::kF1));  // free again
}

TEST_F(HotKeysTest, AFreeCombinationReachesTheFocusedWindowAsKeys) {
  platform.RegisterHotKey(hotKeyWindow, 1, MOD_NONE, vk::kF1);
  platform.UnregisterHotKey(hotKeyWindow, 1);
  EXPECT_FALSE(platform.PressHotKey(MOD_NONE, vk::kF1));
  EXPECT_FALSE(platform.PressHotKey(MOD_CONTROL | MOD_SHIFT, 'M'));
  EXPECT_TRUE(platform.InputLog().empty());  // the user's keys are not synthesised ones
  platform.DoEvents();
  EXPECT_EQ(Keys(editorLog),
            (Strings{"down 112", "up 112", "down 17", "down 16", "down 77", "up 77", "up 16", "up 17"}));
  EXPECT_TRUE(hotKeyLog.empty());
}

}  // namespace
}  // namespace kv::platform
