// Scan codes, the input queue and its delivery to the focused window.
#include <gtest/gtest.h>

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

using testing::Keys;
using testing::Received;
using testing::Recorder;
using Strings = std::vector<std::string>;

TEST(ScanCodeTest, UsKeyboardTable) {
  HeadlessPlatform platform{{}};
  const struct { std::uint32_t vk; std::uint32_t scan; } cases[] = {
      {vk::kControl, 0x1D}, {vk::kLShift, 0x2A}, {vk::kDelete, 0x53}, {vk::kF8, 0x42}, {'M', 0x32}, {'0', 0x0B},
      {0x60, 0x52}, {vk::kMultiply, 0x37}, {0xFF, 0}, {0x1234, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(platform.MapVirtualKeyA(c.vk, MAPVK_VK_TO_VSC), c.scan) << c.vk;
  EXPECT_EQ(platform.MapVirtualKeyA(vk::kA, 1), 0u);  // other mappings are not known
}

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() {
    a = platform.CreateWindowA("A", Recorder(logA));
    b = platform.CreateWindowA("B", Recorder(logB));
    platform.ShowWindow(a, true);
    platform.ShowWindow(b, true);
  }
  static INPUT Key(std::uint16_t vk, bool up) {
    INPUT input;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
  }
  HeadlessPlatform platform{{}};
  std::vector<Received> logA, logB;
  HWND a = 0, b = 0;
};

TEST_F(KeyboardTest, KeyMessagesCarryTheScanCodeAndTransitionBits) {
  platform.SetFocus(a);
  platform.keybd_event(vk::kA, 0x1E, 0, 0);
  platform.keybd_event(vk::kA, 0x1E, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(logA.empty());  // queued until the message loop runs
  platform.DoEvents();
  EXPECT_EQ(platform.PendingInput(), 0u);
  ASSERT_EQ(logA.size(), 2u);
  EXPECT_EQ(logA[0].lParam, 0x001E0001);
  EXPECT_EQ(static_cast<std::uint32_t>(logA[1].lParam), 0xC01E0001u);
}

TEST_F(KeyboardTest, SendInputInsertsRecordsOfTheRightSizeOnly) {
  platform.SetFocus(a);
  INPUT keys[] = {Key(vk::kDelete, false), Key(vk::kDelete, true)};
  for (std::int32_t size : {0, 27, 29, 40}) EXPECT_EQ(platform.SendInput(2, keys, size), 0u) << size;
  EXPECT_EQ(platform.PendingInput(), 0u);
  EXPECT_EQ(platform.SendInput(2, keys, sizeof(INPUT)), 2u);
  EXPECT_EQ(platform.SendInput(0, nullptr, sizeof(INPUT)), 0u);
  platform.DoEvents();
  EXPECT_EQ(Keys(logA), (Strings{"down 46", "up 46"}));
  ASSERT_EQ(platform.InputLog().size(), 2u);
  EXPECT_EQ(platform.InputLog()[1].source, KeyEvent::Source::SendInput);
  EXPECT_TRUE(platform.InputLog()[1].up);
}

TEST(SleepTest, SleepsAreRecordedOnAVirtualClock) {
  HeadlessPlatform platform{{}};
  platform.Sleep(10);
  platform.Sleep(0);
  platform.Sleep(25);
  EXPECT_EQ(platform.Sleeps(), (std::vector<std::uint32_t>{10, 0, 25}));
  EXPECT_EQ(platform.GetTickCount(), 35u);
}

}  // namespace
}  // namespace kv::platform
