// A click on one of the add-in's controls, through the model IDE's click
// routing: the command runs once per click, a pop-up runs none, Exit leaves
// nothing connected.
#include <gtest/gtest.h>

#include "HostTesting.h"
#include "host/frmHotKey.h"

namespace kv {
namespace {

using test::ConnectedIde;

constexpr VbStringView kModule = u"Sub A()\r\nIf x Then\r\ny = 1\r\nEnd If\r\nEnd Sub";

class Click : public testing::Test, public ConnectedIde {
 protected:
  void SetUp() override { OpenModule(kModule, {3, 1, 3, 1}); }
};

// Fault mended: one click ran its command once per sink, earlier connections' sinks included.
// Insert Custom Text shows every run: it must run once per click, with the
// sinks of an earlier connection still connected and after a hot-key command.
TEST_F(Click, OneClickRunsOnceAfterReconnectionAndHotKey) {
  settings.WriteSetting(u"txtCtrl1Target", u"Stop");
  settings.WriteSetting(u"chkCtrl1", u"Y");
  connect.AddinInstance_OnDisconnection();
  connect.AddinInstance_OnConnection(&vbe);
  EXPECT_GT(g.colBtnEvents.size(), 40u);  // both connections' sinks
  platform.PressHotKey(platform::MOD_CONTROL, 'I');
  ConnectedIde::Click(MenuItem(2));
  ConnectedIde::Click(ToolbarButton(2));
  EXPECT_EQ(Text().size(), VbString(kModule).size() + 3 * 4);  // three inserts of "Stop"
}

TEST_F(Click, PopupRunsNothing) {
  std::uint64_t before = Module().Revision();
  ConnectedIde::Click(Find("Code Window", u"Kestrova"));
  EXPECT_EQ(Module().Revision(), before);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Click, ExitRemovesTheMenusAndReleasesTheHotKeys) {
  settings.WriteSetting(u"chkF1", u"Y");
  HotKeyWindow(g).s_chkHotKey();
  ASSERT_EQ(platform.RegisteredHotKeys().size(), 1u);
  ConnectedIde::Click(MenuItem(17));
  EXPECT_TRUE(Ours().empty());
  EXPECT_TRUE(platform.RegisteredHotKeys().empty());
  for (const auto& events : vbe.EventRouter().Live()) EXPECT_TRUE(events->Sinks().empty());
  connect.AddinInstance_OnDisconnection();  // nothing left to remove
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace kv
