// Clearing the Immediate window: the keys reach it only when it holds the
// focus, so no code window can ever receive Ctrl+A and Delete.
#include "organize/modSendKeys.h"

#include <gtest/gtest.h>

#include "OrganizeKit.h"

namespace kv {
namespace {

using platform::KeyEvent;
using Keys = std::vector<std::pair<int, bool>>;  // virtual key, key up

Keys Sent(const test::Harness& h) {
  Keys keys;
  for (const KeyEvent& e : h.platform.InputLog()) keys.emplace_back(e.vk, e.up);
  return keys;
}

constexpr const char* kModule1 = "Option Explicit|Private Sub A()|End Sub";
constexpr const char* kModule2 = "Dim x";

// Two modules, the first active with the caret on line 2, and an Immediate
// window that shows some output.
void Prepare(test::Harness& h) {
  if (model::ModelWindow* immediate = h.vbe.ImmediateWindow()) immediate->SetText(u"? 1 + 1\r\n 2");
  h.AddModuleLines(test::Bars(kModule2));
  h.Open(h.AddModuleLines(test::Bars(kModule1)), {2, 3, 2, 3});
  h.vbe.Faults().Refuse("CodePane.SetSelection");  // counts the caret's restore
}

void ExpectModulesUntouched(test::Harness& h) {
  EXPECT_EQ(test::Bars(h.Lines()), kModule1);
  EXPECT_EQ(test::Bars(h.Project().Components().front()->Code().AllLines().Strings()), kModule2);
}

TEST(ClearImmediate, SelectsAllAndDeletesInTheImmediateWindow) {
  test::Harness h;
  Prepare(h);
  EXPECT_TRUE(h.RunCommand(cmd::kClearImmediate));
  EXPECT_EQ(Sent(h), (Keys{{17, false}, {65, false}, {65, true}, {17, true}, {46, false}, {46, true}}));
  EXPECT_EQ(h.platform.Sleeps(), (std::vector<std::uint32_t>{10, 10, 10}));
  h.platform.DoEvents();
  EXPECT_EQ(h.vbe.ImmediateWindow()->Text(), u"");
  ExpectModulesUntouched(h);
  EXPECT_EQ(h.vbe.Faults().Refusals("CodePane.SetSelection"), 1);  // the normal epilogue
}

// Fault mended: Ctrl+A and Delete reached a code window and wiped its module.
// Without a visible Immediate window that takes the focus, no key is sent:
// Ctrl+A and Delete would empty the code window instead.
TEST(ClearImmediate, NoKeysWithoutAFocusedImmediateWindow) {
  // restores: the caret put back (-1: not checked)
  struct Case { const char* name; model::ModelOptions options; bool refuseFocus; bool ran; int restores; };
  const Case cases[] = {
      {"hidden", {.immediateVisible = false}, false, true, 1}, {"focus refused", {}, true, false, -1},
      {"absent", {.immediateWindow = false}, false, true, 0},  // not even the caret
  };
  for (const Case& c : cases) {
    test::Harness h(c.options);
    Prepare(h);
    if (c.refuseFocus) h.vbe.Faults().Refuse("Window.SetFocus");
    EXPECT_EQ(h.RunCommand(cmd::kClearImmediate), c.ran) << c.name;  // the IDE's refusal is reported
    EXPECT_TRUE(Sent(h).empty()) << c.name;
    h.platform.DoEvents();
    ExpectModulesUntouched(h);
    if (model::ModelWindow* immediate = h.vbe.ImmediateWindow()) {
      EXPECT_EQ(immediate->Text(), u"? 1 + 1\r\n 2") << c.name;
    }
    if (c.restores >= 0) {
      EXPECT_EQ(h.vbe.Faults().Refusals("CodePane.SetSelection"), c.restores) << c.name;
    }
  }
}

}  // namespace
}  // namespace kv
