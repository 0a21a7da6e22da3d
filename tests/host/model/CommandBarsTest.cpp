// Command bars: the built-in bars of both languages, FindControl,
// Controls.Add, the properties a kind lacks, Delete and the listing.
#include <gtest/gtest.h>

#include "Harness.h"
#include "host/model/ModelErrors.h"

namespace kv::model {
namespace {

using test::ErrorOf;
using test::Harness;
using vbide::ControlType;

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
  EXPECT_EQ(ErrorOf([&] { chinese.vbe.CommandBars().Item(u"Edit"); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { english.vbe.CommandBars().Item(u"编辑"); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { english.vbe.CommandBars().Item(6); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { english.vbe.CommandBars().Item(0); }), vberr::kInvalidProcedureCall);
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
  constexpr std::int32_t kGone = kObjectDisconnected;
  EXPECT_EQ(ErrorOf([&] { popup->Caption(); }), kGone);
  EXPECT_EQ(ErrorOf([&] { popup->Delete(); }), kGone);
  EXPECT_EQ(ErrorOf([&] { child->Tag(); }), kGone);
  EXPECT_EQ(ErrorOf([&] { child->SetCaption(u"x"); }), kGone);
  EXPECT_EQ(ErrorOf([&] { child->Index(); }), kGone);
  EXPECT_EQ(h.vbe.CommandBars().FindControl({.tag = u"Kestrova"}), nullptr);
  EXPECT_EQ(std::dynamic_pointer_cast<ModelControl>(child)->Data().tag, u"Kestrova");  // still known
  EXPECT_EQ(ErrorOf([&] { h.vbe.Events().CommandBarEvents(child); }), kGone);
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

  EXPECT_EQ(bar.FindControl({.tag = u"T"}), a);
  EXPECT_EQ(bar.FindControl({.type = ControlType::Popup, .tag = u"T"}), popup);
  EXPECT_EQ(bar.FindControl({.id = 77}), popup);
  EXPECT_EQ(bar.FindControl({.tag = u"t"}), nullptr);  // tags are exact
  EXPECT_EQ(bar.FindControl({.tag = u"Inner"}), nullptr);
  EXPECT_EQ(bar.FindControl({.tag = u"Inner", .recursive = true}), inner);
  EXPECT_EQ(bar.FindControl({.id = 99}), hidden);
  EXPECT_EQ(bar.FindControl({.id = 99, .visible = false}), hidden);
  EXPECT_EQ(bar.FindControl({.id = 99, .visible = true}), nullptr);
  EXPECT_EQ(bar.FindControl({.type = ControlType::Button, .id = 77}), nullptr);
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
  EXPECT_EQ(controls.Count(), 3);
  EXPECT_EQ(front->Index(), 1);
  EXPECT_EQ(first->Index(), 2);
  EXPECT_EQ(end->Index(), 3);
  EXPECT_EQ(controls.Item(1), front);
  EXPECT_EQ(front->Parameter(), u"p");
  EXPECT_TRUE(std::dynamic_pointer_cast<ModelControl>(front)->Data().temporary);
  EXPECT_EQ(first->Type(), ControlType::Button);
  EXPECT_EQ(first->Id(), 1);
  EXPECT_EQ(first->Caption(), u"");
  EXPECT_FALSE(first->BeginGroup());
  EXPECT_TRUE(first->Visible());
  EXPECT_EQ(ErrorOf([&] { controls.Add({.before = 0}); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { controls.Add({.before = 5}); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { controls.Add({.type = static_cast<ControlType>(2)}); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(ErrorOf([&] { controls.Item(4); }), vberr::kInvalidProcedureCall);
  EXPECT_EQ(controls.Count(), 3);
}

TEST(CommandBars, PropertiesAKindLacksRaise438) {
  Harness h;
  vbide::CommandBarControls& controls = h.vbe.Bars().AddBar(u"Test").Controls();
  vbide::ControlPtr button = controls.Add({});
  vbide::ControlPtr popup = controls.Add({.type = ControlType::Popup});
  constexpr std::int32_t k438 = vberr::kObjectDoesNotSupport;
  EXPECT_EQ(ErrorOf([&] { popup->FaceId(); }), k438);
  EXPECT_EQ(ErrorOf([&] { popup->SetFaceId(1); }), k438);
  EXPECT_EQ(ErrorOf([&] { popup->Style(); }), k438);
  EXPECT_EQ(ErrorOf([&] { popup->SetStyle(vbide::ButtonStyle::Icon); }), k438);
  EXPECT_EQ(ErrorOf([&] { button->CommandBar(); }), k438);
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
