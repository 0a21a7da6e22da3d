// The code pane's selection rules and the active pane of the IDE.
#include <gtest/gtest.h>

#include "Harness.h"

namespace kv::model {
namespace {

using test::Harness;

TEST(CodePane, SetSelectionRange) {
  struct Row {
    std::int32_t lines;  // lines in the module
    Selection selection;
    bool accepted;
  };
  const Row rows[] = {
      {3, {1, 1, 1, 1}, true},
      {3, {3, 9, 3, 99}, true},  // columns past the line's end are accepted
      {3, {3, 1, 1, 1}, true},   // start after end
      {3, {4, 1, 4, 1}, false}, {3, {1, 1, 4, 1}, false}, {3, {0, 1, 1, 1}, false}, {3, {1, 0, 1, 1}, false},
      {3, {1, 1, 0, 1}, false}, {3, {1, 1, 1, 0}, false},
      {0, {1, 1, 1, 1}, true},  // an empty module still has line 1
      {0, {2, 1, 2, 1}, false},
  };
  for (const Row& r : rows) {
    Harness h;
    std::vector<VbString> lines(static_cast<std::size_t>(r.lines), u"x");
    ModelCodePane& pane = h.OpenModuleLines(lines, {2, 2, 2, 2});
    const Selection& s = r.selection;
    bool accepted = ResumeNext([&] { pane.SetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn); });
    EXPECT_EQ(accepted, r.accepted) << s.startLine << ":" << s.startColumn << ":" << s.endLine << ":" << s.endColumn;
    std::int32_t sl = 0, sc = 0, el = 0, ec = 0;
    pane.GetSelection(sl, sc, el, ec);
    Selection expected = r.accepted ? s : Selection{2, 2, 2, 2};
    EXPECT_EQ((Selection{sl, sc, el, ec}), expected);
  }
}

TEST(CodePane, ActivationSetsProjectPaneAndFocus) {
  Harness h;
  ModelVBE& vbe = h.vbe;
  EXPECT_EQ(vbe.ActiveCodePane(), nullptr);
  EXPECT_EQ(vbe.ActiveVBProject(), nullptr);
  ModelProject& first = vbe.AddProject(u"First");
  EXPECT_EQ(vbe.ActiveVBProject(), &first);
  ModelProject& second = vbe.AddProject(u"Second");
  ModelCodePane& pane = vbe.OpenCodePane(second.AddModule(u"M", u"x"));
  EXPECT_EQ(&vbe.OpenCodePane(*second.FindComponent(u"m")), &pane);  // one pane per component
  vbe.ActivateCodePane(&pane);
  EXPECT_EQ(vbe.ActiveCodePane(), &pane);
  EXPECT_EQ(vbe.ActiveVBProject(), &second);
  EXPECT_TRUE(pane.PaneWindow().HasFocus());
  EXPECT_EQ(pane.Window().Type(), vbide::WindowType::CodeWindow);
  EXPECT_EQ(pane.Window().Caption(), u"Second - M (Code)");
  EXPECT_EQ(&pane.CodeModule(), &second.FindComponent(u"M")->Code());
  vbe.ActivateCodePane(nullptr);
  vbe.SetActiveProject(nullptr);
  EXPECT_EQ(vbe.ActiveCodePane(), nullptr);
  EXPECT_EQ(vbe.ActiveVBProject(), nullptr);
}

TEST(CodePane, ProjectsAndComponentsKeepTheirOrder) {
  Harness h;
  h.vbe.AddProject(u"P1").SetProtection(vbide::kProtectionLocked);
  ModelProject& p2 = h.vbe.AddProject(u"P2");
  p2.AddComponent(u"Form1", vbide::ComponentType::VBForm);
  p2.AddComponent(u"Class1", vbide::ComponentType::ClassModule);
  EXPECT_EQ(h.vbe.VBProjects()[0]->Protection(), vbide::kProtectionLocked);
  EXPECT_EQ(h.vbe.VBProjects()[1]->Name(), u"P2");
  EXPECT_EQ(p2.VBComponents()[1]->Name(), u"Class1");
  EXPECT_EQ(h.vbe.FindProject(u"p2"), &p2);
}

}  // namespace
}  // namespace kv::model
