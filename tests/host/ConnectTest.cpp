// Connecting and disconnecting the add-in: what it leaves in the IDE, the
// hot keys and the add-in list file.
#include <gtest/gtest.h>

#include "HostTesting.h"
#include "host/frmHotKey.h"

namespace kv {
namespace {

using test::ConnectedIde;

TEST(Connect, KeepsTheRootAndWritesTheListEntry) {
  ConnectedIde ide({}, {{u"chkF1", u"Y"}});
  EXPECT_EQ(ide.g.gVBE, &ide.vbe);
  EXPECT_EQ(ide.Ours().size(), 1 + 17 + 1 + 14 + 9 + 1u);
  EXPECT_EQ(ide.platform.RegisteredHotKeys().size(), 1u);
  EXPECT_EQ(ide.WindowsFile("vbaddin.ini"), "[Add-Ins32]\r\nKestrova=0\r\n");
  EXPECT_TRUE(ide.Messages().empty());
}

TEST(Connect, TwoConnectionsLeaveOneSetOfControls) {
  ConnectedIde ide;
  auto once = ide.ShownControls();
  ide.connect.AddinInstance_OnConnection(&ide.vbe);
  EXPECT_EQ(ide.ShownControls(), once);
  ide.connect.AddinInstance_OnDisconnection();
  ide.connect.AddinInstance_OnConnection(&ide.vbe);
  EXPECT_EQ(ide.ShownControls(), once);
}

// Fault mended: disconnection left the hot keys and the replaced window procedure behind.
TEST(Connect, DisconnectionRemovesControlsAndReleasesHotKeys) {
  ConnectedIde ide({}, {{u"chkF1", u"Y"}, {u"chkFold", u"Y"}});
  const frmHotKey& window = *ide.g.hotKeyWindow;
  ide.connect.AddinInstance_OnDisconnection();
  EXPECT_TRUE(ide.Ours().empty());
  EXPECT_EQ(ide.vbe.Bars().FindBar(u"Code Window")->Items().size(), 8u);  // the IDE's own controls stay
  EXPECT_TRUE(ide.platform.RegisteredHotKeys().empty());
  EXPECT_EQ(ide.g.gHooked, 0);
  EXPECT_EQ(ide.platform.GetWindowLongA(window.hWnd(), platform::GWL_WNDPROC), ide.g.gOldWndProc);
  EXPECT_TRUE(ide.g.colBtnEvents.empty());
  for (const auto& events : ide.vbe.EventRouter().Live()) EXPECT_TRUE(events->Sinks().empty());
  // F1 is an ordinary key again for the window that has the focus.
  EXPECT_FALSE(ide.platform.PressHotKey(platform::MOD_NONE, platform::vk::kF1));
}

TEST(Connect, DisconnectionIgnoresRefusals) {
  ConnectedIde ide({}, {{u"chkF1", u"Y"}});
  ide.vbe.Faults().Refuse("CommandBars.FindControl");
  EXPECT_NO_THROW(ide.connect.AddinInstance_OnDisconnection());
  EXPECT_TRUE(ide.platform.RegisteredHotKeys().empty());
}

// Without the root object nothing is built and the error's description is
// shown in a box without a title of its own.
TEST(Connect, MissingRootIsReported) {
  test::Harness h;
  h.settings.WriteSetting(u"chkF1", u"Y");
  Connect(h.g).AddinInstance_OnConnection(nullptr);
  ASSERT_EQ(h.platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(h.platform.MessageBoxes()[0].text, u"Object variable or With block variable not set");
  EXPECT_FALSE(h.platform.MessageBoxes()[0].title.has_value());
  EXPECT_FALSE(std::filesystem::exists(h.platform.WindowsDirectory() / "vbaddin.ini"));
  EXPECT_TRUE(h.platform.RegisteredHotKeys().empty());
}

}  // namespace
}  // namespace kv
