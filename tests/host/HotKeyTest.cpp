// The global hot keys: registration from the settings on the hidden window,
// the replaced window procedure, and what a press of each key does in the IDE.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "Harness.h"
#include "host/frmHotKey.h"
#include "host/modHotKey.h"

namespace kv {
namespace {

using platform::HotKey;
using platform::KeyEvent;
namespace vk = platform::vk;
constexpr std::uint32_t kCtrl = platform::MOD_CONTROL;
constexpr std::uint32_t kNone = platform::MOD_NONE;

// (id, modifiers, virtual key) of every registered hot key, by id.
using Key = std::tuple<std::int32_t, std::uint32_t, std::uint32_t>;
std::vector<Key> Registered(const platform::HeadlessPlatform& p) {
  std::vector<Key> keys;
  for (const HotKey& k : p.RegisteredHotKeys()) keys.emplace_back(k.id, k.modifiers, k.vk);
  std::ranges::sort(keys);
  return keys;
}

class HotKeys : public test::HarnessTest {
 protected:
  void Set(VbStringView key, VbStringView value) { settings.WriteSetting(key, value); }
  frmHotKey& Window() { return HotKeyWindow(g); }
  void Check() { Window().s_chkHotKey(); }
  std::vector<Key> Keys() const { return Registered(platform); }
  // The synthesised key events as (vk, scan, up).
  std::vector<std::tuple<int, int, bool>> Synthesised() const {
    std::vector<std::tuple<int, int, bool>> events;
    for (const KeyEvent& e : platform.InputLog())
      if (e.source == KeyEvent::Source::KeybdEvent) events.emplace_back(e.vk, e.scan, e.up);
    return events;
  }
  std::tuple<int, int, bool> Down(std::uint8_t key) const {
    return {key, static_cast<int>(platform.MapVirtualKeyA(key, platform::MAPVK_VK_TO_VSC)), false};
  }
  std::tuple<int, int, bool> Up(std::uint8_t key) const {
    auto e = Down(key);
    std::get<2>(e) = true;
    return e;
  }
};

TEST_F(HotKeys, SettingsChooseTheKeys) {
  struct Case { std::vector<std::pair<VbStringView, VbStringView>> settings; std::vector<Key> expected; };
  const Case cases[] = {
      {{{u"chkF1", u"Y"}}, {{1, kNone, vk::kF1}}},
      {{{u"chkF1", u"y"}}, {}},  // only an exact "Y" enables
      {{{u"chkF2", u"Y"}}, {{2, kNone, vk::kF2}}}, {{{u"chkIndentModHotKey", u"Y"}}, {{3, kCtrl, 'M'}}},
      {{{u"chkIndentModHotKey", u"Y"}, {u"txtIndentMod", u"q"}}, {{3, kCtrl, 'Q'}}},
      {{{u"chkIndentModHotKey", u"Y"}, {u"txtIndentMod", u"%"}}, {{3, kCtrl, 'M'}}},
      {{{u"chkCtrl1", u"Y"}}, {{4, kCtrl, 'I'}}}, {{{u"chkCtrl1", u"Y"}, {u"txtCtrl1", u""}}, {{4, kCtrl, 'I'}}},
      {{{u"chkCtrl1", u"N"}, {u"txtCtrl1", u"5"}}, {}}, {{{u"chkFold", u"Y"}}, {{5, kCtrl, vk::kSubtract}}},
      {{{u"chkUnfold", u"Y"}}, {{6, kCtrl, vk::kAdd}}}, {{{u"chkUnfoldAll", u"Y"}}, {{7, kCtrl, vk::kMultiply}}},
      // The same letter twice: the later id is refused.
      {{{u"chkIndentModHotKey", u"Y"}, {u"txtIndentMod", u"I"}, {u"chkCtrl1", u"Y"}}, {{3, kCtrl, 'I'}}},
  };
  for (const Case& c : cases) {
    test::Harness h;
    for (const auto& [key, value] : c.settings) h.settings.WriteSetting(key, value);
    HotKeyWindow(h.g).s_chkHotKey();
    EXPECT_EQ(Registered(h.platform), c.expected) << VbToUtf8(c.settings.front().first);
  }
}

// Fault mended: a second check hooked the window again and ran each press twice.
TEST_F(HotKeys, SecondCheckReplacesTheProcedureOnce) {
  platform::ProcAddress original = platform.GetWindowLongA(Window().hWnd(), platform::GWL_WNDPROC);
  Set(u"chkF1", u"Y");
  Check();
  platform::ProcAddress replaced = platform.GetWindowLongA(Window().hWnd(), platform::GWL_WNDPROC);
  Set(u"chkF2", u"Y");
  Check();
  EXPECT_NE(replaced, original);
  EXPECT_EQ(platform.GetWindowLongA(Window().hWnd(), platform::GWL_WNDPROC), replaced);
  EXPECT_EQ(g.gOldWndProc, original);
  EXPECT_EQ(g.gHooked, -1);
  EXPECT_EQ(Keys(), (std::vector<Key>{{1, kNone, vk::kF1}, {2, kNone, vk::kF2}}));
  // One press, one action: a second hook would run it twice.
  EXPECT_TRUE(platform.PressHotKey(kNone, vk::kF1));
  EXPECT_EQ(Synthesised().size(), 4u);
}

TEST_F(HotKeys, FunctionKeysSendTheirSequences) {
  using Events = std::vector<std::tuple<int, int, bool>>;
  OpenModule(u"Sub A()\r\nEnd Sub");
  Set(u"chkF1", u"Y");
  Set(u"chkF2", u"Y");
  Check();
  EXPECT_TRUE(platform.PressHotKey(kNone, vk::kF1));
  EXPECT_EQ(Synthesised(), (Events{Down(vk::kLShift), Down(vk::kF8), Up(vk::kF8), Up(vk::kLShift)}));
  EXPECT_EQ(platform.PendingInput(), 0u);  // the IDE processed them
  EXPECT_TRUE(platform.PressHotKey(kNone, vk::kF2));
  EXPECT_EQ(Synthesised(), (Events{Down(vk::kLShift), Down(vk::kF8), Up(vk::kF8), Up(vk::kLShift), Down(vk::kLShift),
                                   Down(vk::kControl), Down(vk::kF8), Up(vk::kF8), Up(vk::kControl), Up(vk::kLShift)}));
  EXPECT_EQ(platform.PendingInput(), 0u);
}

// Each Ctrl key does what its command does from the menu, once: the module
// key what Indent Module does, the letter key Insert Custom Text, the keypad
// keys fold, unfold and unfold all.
TEST_F(HotKeys, CtrlKeysDoWhatTheirCommandsDo) {
  const VbStringView text =
      u"Private Sub A()\r\nIf x Then\r\ny = 1\r\nEnd If\r\nEnd Sub\r\n\r\nPublic Sub B()\r\nz = 2\r\nEnd Sub";
  struct Case { VbStringView setting; std::uint32_t key; std::int16_t command; };
  const Case cases[] = {
      {u"chkIndentModHotKey", 'M', 15}, {u"chkCtrl1", 'I', 2},          {u"chkFold", vk::kSubtract, 25},
      {u"chkUnfold", vk::kAdd, 26},     {u"chkUnfoldAll", vk::kMultiply, 27},
  };
  for (const Case& c : cases) {
    test::Harness byKey, byMenu;
    for (test::Harness* h : {&byKey, &byMenu}) {
      h->settings.WriteSetting(u"txtCtrl1Target", u"Stop");
      h->OpenModule(text, {3, 1, 3, 1});
      if (c.command == 26 || c.command == 27) {
        h->RunCommand(25);  // fold A, so that unfolding has something to do
        h->Pane().SetSelection(1, 1, 1, 1);
      }
    }
    byKey.settings.WriteSetting(c.setting, u"Y");
    HotKeyWindow(byKey.g).s_chkHotKey();
    std::uint64_t before = byKey.Module().Revision(), menuBefore = byMenu.Module().Revision();
    EXPECT_TRUE(byKey.platform.PressHotKey(kCtrl, c.key));
    byMenu.RunCommand(c.command);
    EXPECT_EQ(byKey.Lines(), byMenu.Lines()) << c.command;
    EXPECT_NE(byKey.Module().Revision(), before) << c.command;
    EXPECT_EQ(byKey.Module().Revision() - before, byMenu.Module().Revision() - menuBefore) << c.command;
    EXPECT_TRUE(byKey.Messages().empty()) << c.command;
  }
}

TEST_F(HotKeys, CommandErrorStaysInsideTheWindowProcedure) {
  OpenModule(u"Sub A()\r\nx = 1\r\nEnd Sub", {2, 1, 2, 1});
  Set(u"chkCtrl1", u"Y");
  Check();
  vbe.Faults().Refuse("CodeModule.CountOfLines");
  EXPECT_TRUE(platform.PressHotKey(kCtrl, 'I'));
  EXPECT_EQ(Messages().size(), 1u);
}

}  // namespace
}  // namespace kv
