// Windows, window procedures (subclassing chains) and the keyboard focus.
#include <gtest/gtest.h>

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

using testing::Received;
using testing::Recorder;

class WindowsTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform{{}};
  std::vector<Received> log;
};

TEST_F(WindowsTest, CallsOnUnknownOrDestroyedWindowsFailWithZero) {
  HWND w = platform.CreateWindowA("W", Recorder(log, 7));
  platform.DestroyWindow(w);
  EXPECT_FALSE(platform.IsWindow(w));
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 0);
  EXPECT_EQ(platform.GetWindowLongA(w, GWL_WNDPROC), 0);
  EXPECT_EQ(platform.SetWindowLongA(w, GWL_WNDPROC, platform.AddressOf(Recorder(log))), 0);
  EXPECT_EQ(platform.SendMessageA(12345, 0x10, 0, 0), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(WindowsTest, SubclassingChainsToTheOldProcedureAndCanBeUndone) {
  std::vector<std::string> order;
  HWND w = platform.CreateWindowA("W", [&](HWND, std::uint32_t, WPARAM, LPARAM) {
    order.push_back("own");
    return 1;
  });
  ProcAddress own = platform.GetWindowLongA(w, GWL_WNDPROC);
  ProcAddress old = 0;
  ProcAddress hook = platform.AddressOf([&](HWND h, std::uint32_t m, WPARAM wp, LPARAM lp) {
    order.push_back("hook");
    return platform.CallWindowProcA(old, h, m, wp, lp) + 10;
  });
  old = platform.SetWindowLongA(w, GWL_WNDPROC, hook);
  EXPECT_EQ(old, own);
  EXPECT_EQ(platform.GetWindowLongA(w, GWL_WNDPROC), hook);
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 11);
  EXPECT_EQ(platform.SetWindowLongA(w, GWL_WNDPROC, old), hook);
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 1);
  EXPECT_EQ(order, (std::vector<std::string>{"hook", "own", "own"}));
}

TEST_F(WindowsTest, RefusedProcedureChangesLeaveTheWindowAsItWas) {
  HWND w = platform.CreateWindowA("W", Recorder(log, 3));
  ProcAddress own = platform.GetWindowLongA(w, GWL_WNDPROC);
  EXPECT_EQ(platform.SetWindowLongA(w, GWL_WNDPROC, 0x7777), 0);                     // no such procedure
  EXPECT_EQ(platform.SetWindowLongA(w, -21, platform.AddressOf(Recorder(log))), 0);  // other index
  EXPECT_EQ(platform.GetWindowLongA(w, -21), 0);
  EXPECT_EQ(platform.GetWindowLongA(w, GWL_WNDPROC), own);
  EXPECT_EQ(platform.CallWindowProcA(0x7777, w, 0x10, 0, 0), 0);
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 3);
}

// A procedure that replaces itself while the procedure table grows must not
// run from a moved entry.
TEST_F(WindowsTest, AProcedureMayReplaceItselfWhileItRuns) {
  HWND w = 0;
  ProcAddress next = platform.AddressOf(Recorder(log, 2));
  w = platform.CreateWindowA("W", [&](HWND h, std::uint32_t, WPARAM, LPARAM) {
    platform.SetWindowLongA(h, GWL_WNDPROC, next);
    for (int i = 0; i < 100; ++i) platform.AddressOf(Recorder(log));  // the table grows meanwhile
    return 1;
  });
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 1);
  EXPECT_EQ(platform.SendMessageA(w, 0x10, 0, 0), 2);
}

TEST_F(WindowsTest, FocusGoesOnlyToVisibleLiveWindows) {
  HWND a = platform.CreateWindowA("A", Recorder(log));
  HWND b = platform.CreateWindowA("B", Recorder(log));
  EXPECT_EQ(platform.SetFocus(a), 0);  // hidden
  EXPECT_EQ(platform.GetFocus(), 0);
  platform.ShowWindow(a, true);
  platform.ShowWindow(b, true);
  EXPECT_EQ(platform.SetFocus(a), a);  // nothing had the focus
  EXPECT_EQ(platform.SetFocus(b), a);  // the previous focus
  EXPECT_EQ(platform.GetFocus(), b);
  EXPECT_EQ(platform.SetFocus(99), 0);
  EXPECT_EQ(platform.GetFocus(), b);
  EXPECT_EQ(platform.SetFocus(0), b);  // takes the focus away
  EXPECT_EQ(platform.GetFocus(), 0);
}

TEST_F(WindowsTest, HidingOrDestroyingTheFocusedWindowLeavesNoFocus) {
  HWND a = platform.CreateWindowA("A", Recorder(log));
  HWND b = platform.CreateWindowA("B", Recorder(log));
  platform.ShowWindow(a, true);
  platform.ShowWindow(b, true);
  platform.SetFocus(a);
  platform.ShowWindow(b, false);
  EXPECT_EQ(platform.GetFocus(), a);  // hiding another window changes nothing
  platform.ShowWindow(a, false);
  EXPECT_EQ(platform.GetFocus(), 0);
  platform.ShowWindow(a, true);
  platform.SetFocus(a);
  platform.DestroyWindow(a);
  EXPECT_EQ(platform.GetFocus(), 0);
  EXPECT_EQ(platform.SetFocus(a), 0);
}

}  // namespace
}  // namespace kv::platform
