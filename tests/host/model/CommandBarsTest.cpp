// Command bars: the built-in bars of both languages, FindControl,
// Controls.Add, the properties a kind lacks, Delete and the listing.
#include <gtest/gtest.h>

#include <functional>

#include "Harness.h"
#include "host/model/ModelErrors.h"

namespace kv::model {
namespace {

using test::ErrorOf;
using test::Harness;
using vbide::ControlType;
using Call = std::function<void()>;

std::vector<VbString> BarNames(ModelVBE& vbe) {
  std::vector<VbString> names;
  vbide::CommandBars& bars = vbe.CommandBars();
  for (std::int32_t i = 1; i <= bars.Count(); ++i) names.push_back(bars.Item(i).Name());
  return names;
}

TEST(CommandBars, BarsOfBothLanguages) {
  using N = std::vector<VbString>;
  Harness english;
  EXPECT_EQ(BarNames(english.vbe), (N{u"Menu Bar", u"Standard", u"Edit", u"Code Window", u"Immediate Window"}));
  Harness chinese({.language = Language::Chinese});
  EXPECT_EQ(BarNames(chinese.vbe), (N{u"Menu Bar", u"Standard", u"编辑", u"Code Window", u"Immediate Window"}));
  for (const Call& call : {Call([&] { chinese.vbe.CommandBars().Item(u"Edit"); }),
                           Call([&] { english.vbe.CommandBars().Item(u"编辑"); }),
                           Call([&] { english.vbe.CommandBars().Item(6); }), Call([&] { english.vbe.CommandBars().Item(0); })})
    EXPECT_EQ(ErrorOf(call), vberr::kInvalidProcedureCall);
}

TEST(CommandBars, EachBarAndInsertionPointCanBeLeftOut) {
  struct Row {
    CommandBarOptions options;
    VbStringView missingBar;  // empty: every bar is there
    bool has473, has30003, has2529;
  };
  const Row rows[] = {
      {{}, u"", true, true, true}, {{.menuBar = false}, u"Menu Bar", true, false, false},
      {{.codeWindow = false}, u"Code Window", false, true, true},
      {{.immediateWindow = false}, u"Immediate Window", true, true, true},
      {{.editToolbar = false}, u"Edit", true, true, true}, {{.codeWindowInsertId = false}, u"", false, true, true},
      {{.editPopup = false}, u"", true, false, false}, {{.editInsertId = false}, u"", true, true, false},
  };
  for (const Row& r : rows) {
    Harness h({.bars = r.options});
    ModelCommandBars& bars = h.vbe.Bars();
    if (!r.missingBar.empty()) {
      EXPECT_EQ(bars.FindBar(r.missingBar), nullptr) << VbToUtf8(r.missingBar);
    }
    EXPECT_EQ(bars.Bars().size(), r.missingBar.empty() ? 5u : 4u);
    ModelCommandBar* code = bars.FindBar(u"Code Window");
    ModelCommandBar* menu = bars.FindBar(u"Menu Bar");
    EXPECT_EQ(code && code->Find({.id = 473}, false), r.has473);
    ModelControlPtr edit = menu ? menu->Find({.id = 30003}, false) : nullptr;
    EXPECT_EQ(edit != nullptr, r.has30003);
    EXPECT_EQ(edit && edit->PopupBar()->Find({.id = 2529}, false), r.has2529);
    // Control 2529 on the edit toolbar is not the insertion point.
    EXPECT_EQ(bars.FindBar(u"Edit") && bars.FindBar(u"Edit")->Find({.id = 2529}, false), r.options.editToolbar);
  }
}

TEST(CommandBars, DeleteRemovesThePopupWithItsChildren) {
  Harness h;
  vbide::CommandBarControls& controls = h.vbe.Bars().AddBar(u"Test").Controls();
  vbide::ControlPtr popup = controls.Add({.type = ControlType::Popup});
  vbide::ControlPtr child = popup->CommandBar().Controls().Add({});
  vbide::ControlPtr after = controls.Add({});
  child->SetTag(u"Kestrova");
  popup->Delete();
  EXPECT_EQ(controls.Count(), 1);
  EXPECT_EQ(after->Index(), 1);
  for (const Call& call : {Call([&] { popup->Caption(); }), Call([&] { popup->Delete(); }), Call([&] { child->Tag(); }),
                           Call([&] { child->SetCaption(u"x"); }), Call([&] { child->Index(); }),
                           Call([&] { h.vbe.Events().CommandBarEvents(child); })})
    EXPECT_EQ(ErrorOf(call), kObjectDisconnected);
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.tag = u"Kestrova"}), nullptr);
  EXPECT_EQ(std::dynamic_pointer_cast<ModelControl>(child)->Data().tag, u"Kestrova");  // still known
}

TEST(CommandBars, FindControlFilters) {
  Harness h;
  ModelCommandBar& bar = h.vbe.Bars().AddBar(u"Test");
  vbide::CommandBarControls& controls = bar.Controls();
  vbide::ControlPtr a = controls.Add({});
  a->SetTag(u"T");
  vbide::ControlPtr popup = controls.Add({.type = ControlType::Popup, .id = 77});
  popup->SetTag(u"T");
  vbide::ControlPtr inner = popup->CommandBar().Controls().Add({.id = 88});
  inner->SetTag(u"Inner");
  vbide::ControlPtr hidden = controls.Add({.id = 99});
  std::dynamic_pointer_cast<ModelControl>(hidden)->SetVisible(false);
  const std::pair<vbide::FindControlArgs, vbide::ControlPtr> rows[] = {
      {{.tag = u"T"}, a}, {{.type = ControlType::Popup, .tag = u"T"}, popup}, {{.id = 77}, popup},
      {{.tag = u"t"}, nullptr},  // tags are exact
      {{.tag = u"Inner"}, nullptr}, {{.tag = u"Inner", .recursive = true}, inner}, {{.id = 99}, hidden},
      {{.id = 99, .visible = false}, hidden}, {{.id = 99, .visible = true}, nullptr},
      {{.type = ControlType::Button, .id = 77}, nullptr},
  };
  for (const auto& [options, found] : rows) EXPECT_EQ(bar.FindControl(options), found);
  // The all-bars form always looks inside pop-ups.
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.tag = u"Inner"}), inner);
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.id = 2529})->Caption(), u"&Indent");  // the menu comes first
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.tag = u"none"}), nullptr);
}

TEST(CommandBars, AddPlacesAndDescribesTheControl) {
  Harness h;
  vbide::CommandBarControls& controls = h.vbe.Bars().AddBar(u"Test").Controls();
  vbide::ControlPtr first = controls.Add({});
  vbide::ControlPtr front = controls.Add({.parameter = u"p", .before = 1, .temporary = true});
  vbide::ControlPtr end = controls.Add({.before = 3});
  EXPECT_EQ(std::vector({front->Index(), first->Index(), end->Index(), controls.Count()}), std::vector({1, 2, 3, 3}));
  EXPECT_EQ(controls.Item(1), front);
  EXPECT_EQ(front->Parameter(), u"p");
  EXPECT_TRUE(std::dynamic_pointer_cast<ModelControl>(front)->Data().temporary);
  EXPECT_EQ(first->Type(), ControlType::Button);
  EXPECT_EQ(first->Id(), 1);
  EXPECT_EQ(first->Caption(), u"");
  EXPECT_FALSE(first->BeginGroup());
  EXPECT_TRUE(first->Visible());
  for (const Call& call : {Call([&] { controls.Add({.before = 0}); }), Call([&] { controls.Add({.before = 5}); }),
                           Call([&] { controls.Add({.type = static_cast<ControlType>(2)}); }),
                           Call([&] { controls.Item(4); })})
    EXPECT_EQ(ErrorOf(call), vberr::kInvalidProcedureCall);
  EXPECT_EQ(controls.Count(), 3);
}

TEST(CommandBars, PropertiesAKindLacksRaise438) {
  Harness h;
  vbide::CommandBarControls& controls = h.vbe.Bars().AddBar(u"Test").Controls();
  vbide::ControlPtr button = controls.Add({});
  vbide::ControlPtr popup = controls.Add({.type = ControlType::Popup});
  for (const Call& call : {Call([&] { popup->FaceId(); }), Call([&] { popup->SetFaceId(1); }),
                           Call([&] { popup->Style(); }), Call([&] { popup->SetStyle(vbide::ButtonStyle::Icon); }),
                           Call([&] { button->CommandBar(); })})
    EXPECT_EQ(ErrorOf(call), vberr::kObjectDoesNotSupport);
  button->SetFaceId(1964);
  button->SetStyle(vbide::ButtonStyle::IconAndCaption);
  EXPECT_EQ(button->FaceId(), 1964);
  EXPECT_EQ(button->Style(), vbide::ButtonStyle::IconAndCaption);
  popup->SetCaption(u"[&C] Menu");
  popup->SetBeginGroup(true);
  EXPECT_EQ(popup->CommandBar().Name(), u"[&C] Menu");
  EXPECT_TRUE(popup->BeginGroup());
}

TEST(CommandBars, RemovedBarAndIdeLeaveDeletedControls) {
  vbide::ControlPtr kept;
  {
    Harness h;
    kept = h.vbe.CommandBars().Item(u"Immediate Window").Controls().Item(1);
    EXPECT_TRUE(h.vbe.Bars().RemoveBar(u"immediate window"));
    EXPECT_FALSE(h.vbe.Bars().RemoveBar(u"Immediate Window"));
    EXPECT_EQ(ErrorOf([&] { kept->Caption(); }), kObjectDisconnected);
    kept = h.vbe.CommandBars().Item(u"Menu Bar").Controls().Item(1);
  }
  EXPECT_EQ(ErrorOf([&] { kept->Caption(); }), kObjectDisconnected);
}

}  // namespace
}  // namespace kv::model
