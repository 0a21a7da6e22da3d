// A click on one of the add-in's controls, through the model IDE's click
// routing: which command runs, how often, and what a bad Parameter does.
#include <gtest/gtest.h>

#include "HostTesting.h"
#include "host/frmHotKey.h"

namespace kv {
namespace {

using test::ConnectedIde;

constexpr VbStringView kModule = u"Sub A()\r\nIf x Then\r\ny = 1\r\nEnd If\r\nEnd Sub";

// What one run of command 15 does to kModule: the lines and the number of
// edits the IDE saw.
struct Indented { std::vector<VbString> lines; std::uint64_t edits = 0; };
Indented IndentOnce() {
  test::Harness h;
  h.OpenModule(kModule, {3, 1, 3, 1});
  std::uint64_t before = h.Module().Revision();
  h.RunCommand(15);
  return {h.Lines(), h.Module().Revision() - before};
}

class Click : public testing::Test, public ConnectedIde {
 protected:
  void SetUp() override { OpenModule(kModule, {3, 1, 3, 1}); }
  std::uint64_t EditsBy(const vbide::ControlPtr& control) {
    std::uint64_t before = Module().Revision();
    ConnectedIde::Click(control);
    return Module().Revision() - before;
  }
};

TEST_F(Click, ToolbarButtonAndMenuItemIndentOnce) {
  const Indented once = IndentOnce();
  ASSERT_GT(once.edits, 0u);
  test::Harness twice;  // a second run would show in the edits
  twice.OpenModule(kModule, {3, 1, 3, 1});
  std::uint64_t start = twice.Module().Revision();
  twice.RunCommand(15);
  twice.RunCommand(15);
  ASSERT_EQ(twice.Module().Revision() - start, 2 * once.edits);
  ASSERT_NE(once.lines, (std::vector<VbString>{u"Sub A()", u"If x Then", u"y = 1", u"End If", u"End Sub"}));
  for (const vbide::ControlPtr& control : {ToolbarButton(15), MenuItem(15)}) {
    Module().LoadText(kModule);
    EXPECT_EQ(EditsBy(control), once.edits);
    EXPECT_EQ(Lines(), once.lines);
  }
  EXPECT_TRUE(Messages().empty());
}

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

// An object-model error inside the command is reported by the add-in and
// does not reach the IDE.
TEST_F(Click, CommandErrorStaysInsideTheAddIn) {
  vbe.Faults().Refuse("CodeModule.CountOfLines");
  EXPECT_NO_THROW(ConnectedIde::Click(MenuItem(15)));
  EXPECT_EQ(Messages().size(), 1u);
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
