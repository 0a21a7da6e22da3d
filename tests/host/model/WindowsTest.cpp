// The IDE's windows: the Immediate window present, absent or hidden, and the Ctrl+A / Delete keys delivered by the platform's message loop.
#include <gtest/gtest.h>

#include "Harness.h"

namespace kv::model {
namespace {

using test::Harness;
using vbide::WindowType;

std::vector<WindowType> TypesOf(ModelVBE& vbe) {
  std::vector<WindowType> types;
  for (vbide::Window* w : vbe.Windows()) types.push_back(w->Type());
  return types;
}

void PressCtrlAThenDelete(platform::HeadlessPlatform& platform) {
  platform.keybd_event(platform::vk::kControl, 0, 0, 0);
  platform.keybd_event(platform::vk::kA, 0, 0, 0);
  platform.keybd_event(platform::vk::kA, 0, platform::KEYEVENTF_KEYUP, 0);
  platform.keybd_event(platform::vk::kControl, 0, platform::KEYEVENTF_KEYUP, 0);
  platform.keybd_event(platform::vk::kDelete, 0, 0, 0);
  platform.keybd_event(platform::vk::kDelete, 0, platform::KEYEVENTF_KEYUP, 0);
  platform.DoEvents();
}

TEST(Windows, KeysReachTheFocusedCodePane) {
  // With the Immediate window hidden the keys stay with the code window and
  // empty the module: the hazard the Immediate window's command must avoid.
  Harness h({.immediateVisible = false});
  ModelCodePane& pane = h.OpenModule(u"Sub A()\r\nEnd Sub", {2, 1, 2, 1});
  h.vbe.ImmediateWindow()->SetFocus();
  PressCtrlAThenDelete(h.platform);
  EXPECT_EQ(h.Module().CountOfLines(), 0);
  EXPECT_EQ(pane.Selected(), (Selection{1, 1, 1, 1}));
}

TEST(Windows, DeleteInACodePane) {
  struct Row { Selection selection; std::vector<VbString> after; Selection caret; };
  const Row rows[] = {
      {{1, 2, 1, 4}, {u"Ab", u"Cde"}, {1, 2, 1, 2}},
      {{1, 4, 1, 2}, {u"Ab", u"Cde"}, {1, 2, 1, 2}},  // selected backwards
      {{1, 3, 2, 2}, {u"Abde"}, {1, 3, 1, 3}}, {{1, 1, 1, 1}, {u"bcb", u"Cde"}, {1, 1, 1, 1}},
      {{1, 5, 1, 5}, {u"AbcbCde"}, {1, 5, 1, 5}},  // at the end of a line: joins the next
      {{2, 4, 2, 4}, {u"Abcb", u"Cde"}, {2, 4, 2, 4}},  // nothing after the caret
      {{1, 1, 2, 4}, {}, {1, 1, 1, 1}},
  };
  for (const Row& r : rows) {
    Harness h;
    ModelCodePane& pane = h.OpenModuleLines({u"Abcb", u"Cde"});
    pane.Select(r.selection);
    h.platform.keybd_event(platform::vk::kDelete, 0, 0, 0);
    h.platform.DoEvents();
    EXPECT_EQ(h.Lines(), r.after);
    EXPECT_EQ(pane.Selected(), r.caret);
  }
}

TEST(Windows, ImmediatePresentAbsentOrHidden) {
  using T = std::vector<WindowType>;
  Harness present;
  present.OpenModule(u"x");
  EXPECT_EQ(TypesOf(present.vbe),
            (T{WindowType::ProjectWindow, WindowType::PropertyWindow, WindowType::Immediate, WindowType::CodeWindow}));
  EXPECT_TRUE(present.vbe.Windows()[2]->Visible());
  EXPECT_EQ(present.vbe.Windows()[2]->Caption(), u"Immediate");
  Harness absent({.immediateWindow = false});
  EXPECT_EQ(TypesOf(absent.vbe), (T{WindowType::ProjectWindow, WindowType::PropertyWindow}));
  EXPECT_EQ(absent.vbe.ImmediateWindow(), nullptr);
  Harness hidden({.immediateVisible = false});
  EXPECT_FALSE(hidden.vbe.ImmediateWindow()->Visible());
  Harness chinese({.language = Language::Chinese});
  EXPECT_EQ(chinese.vbe.ImmediateWindow()->Caption(), u"立即");
}

}  // namespace
}  // namespace kv::model
