// The command menus as the IDE shows them after a connection: the language,
// placement by the built-in controls, missing bars and the removal of every
// control. (Every caption in both languages: the golden listings of
// kestrova menus.)
#include <gtest/gtest.h>

#include <algorithm>

#include "HostTesting.h"
#include "host/CBtnEvents.h"

namespace kv {
namespace {

using test::ConnectedIde;
using test::Shown;

bool Has(const std::vector<Shown>& shown, const Shown& expected) {
  return std::ranges::find(shown, expected) != shown.end();
}

std::size_t CountIn(const std::vector<Shown>& shown, std::string_view path) {
  return static_cast<std::size_t>(std::ranges::count_if(shown, [&](const Shown& s) { return s.path == path; }));
}

constexpr const char* kCodeMenu = "Code Window > [&C] Kestrova";
constexpr const char* kOthersEn = "Menu Bar > &Edit > [&O] Others";

TEST(Menus, PlacementFollowsTheBuiltInControls) {
  struct Case {
    model::CommandBarOptions bars;
    std::int32_t codePopup;    // position in "Code Window"
    std::int32_t othersPopup;  // position in the menu bar's edit pop-up
  };
  const Case cases[] = {
      {{}, 6, 6},                               // before 473 and before 2529
      {{.codeWindowInsertId = false}, 8, 6},    // last in the bar
      {{.editInsertId = false}, 6, 7},          // last in the pop-up
  };
  for (const Case& c : cases) {
    ConnectedIde ide({.bars = c.bars});
    auto shown = ide.ShownControls();
    EXPECT_TRUE(Has(shown, {"Code Window", c.codePopup, u"[&C] Kestrova", 0, 0, true, u"Kestrova"}));
    EXPECT_TRUE(Has(shown, {"Menu Bar > &Edit", c.othersPopup, u"[&O] Others", 0, 0, true, u"Kestrova"}));
  }
}

// A missing bar or insertion point leaves out that menu alone.
TEST(Menus, MissingBars) {
  struct Case { const char* what; model::CommandBarOptions bars; std::size_t codeMenu, others, toolbar, immediate; };
  const Case cases[] = {
      {"no code window bar", {.codeWindow = false}, 0, 14, 9, 1}, {"no menu bar", {.menuBar = false}, 17, 0, 9, 1},
      {"no pop-up 30003", {.editPopup = false}, 17, 0, 9, 1}, {"no edit toolbar", {.editToolbar = false}, 17, 14, 0, 1},
      {"no immediate bar", {.immediateWindow = false}, 17, 14, 9, 0},
  };
  for (const Case& c : cases) {
    ConnectedIde ide({.bars = c.bars});
    auto shown = ide.ShownControls();
    EXPECT_EQ(CountIn(shown, kCodeMenu), c.codeMenu) << c.what;
    EXPECT_EQ(CountIn(shown, kOthersEn), c.others) << c.what;
    EXPECT_EQ(CountIn(shown, "Edit"), c.toolbar) << c.what;
    EXPECT_EQ(CountIn(shown, "Immediate Window"), c.immediate) << c.what;
    // The others menu never lands in another bar.
    bool othersAnywhere = std::ranges::any_of(shown, [](const Shown& s) { return s.caption == u"[&O] Others"; });
    EXPECT_EQ(othersAnywhere, c.others > 0) << c.what;
  }
}

TEST(Menus, EveryControlIsTemporaryTaggedAndHasItsSink) {
  ConnectedIde ide;
  auto ours = ide.Ours();
  for (const auto& entry : ours) EXPECT_TRUE(entry.control->Data().temporary);
  // One sink per button, connected to that button's events.
  std::size_t buttons = static_cast<std::size_t>(std::ranges::count_if(
      ours, [](const auto& e) { return e.control->Data().type == vbide::ControlType::Button; }));
  ASSERT_EQ(ide.g.colBtnEvents.size(), buttons);
  for (const auto& events : ide.vbe.EventRouter().Live()) {
    EXPECT_EQ(events->Sinks().size(), 1u);
    EXPECT_EQ(events->Control()->Data().tag, kTag);
  }
}

// Fault mended: a control the IDE refused to delete made the removal loop for ever.
TEST(Menus, RemoveStopsWhenADeletionFails) {
  ConnectedIde ide;
  ide.vbe.Faults().Refuse("CommandBarControl.Delete", {.skip = 1});
  s_RemoveMenus(ide.g);
  EXPECT_EQ(ide.vbe.Faults().Refusals("CommandBarControl.Delete"), 1);
  EXPECT_EQ(ide.Ours().size(), 1 + 17 + 9 + 1u);  // the first pop-up went, the others menu
  ide.vbe.Faults().Clear();
  s_RemoveMenus(ide.g);
  EXPECT_TRUE(ide.Ours().empty());
}

// A refused property ends its own menu kind only; what was made stays
// removable.
TEST(Menus, RefusedPropertyEndsOnlyItsKind) {
  test::Harness h;
  h.vbe.Faults().Refuse("CommandBarControl.SetCaption", {.skip = 3, .times = 1});
  Connect(h.g).AddinInstance_OnConnection(&h.vbe);
  std::size_t ours = 0;
  for (const auto& e : h.vbe.Bars().ListControls()) ours += e.control->Data().tag == kTag;
  EXPECT_EQ(ours, 1 + 3 + 1 + 14 + 9 + 1u);  // the code-window menu stopped at its third button
  s_RemoveMenus(h.g);
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.tag = VbString(kTag)}), nullptr);
}

}  // namespace
}  // namespace kv
