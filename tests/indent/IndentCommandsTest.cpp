// The three indent commands on the model IDE: which lines each indents, their
// guards and messages in both languages, the progress window's range, and
// the caret afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IndentSupport.h"
#include "ProgressLog.h"
#include "support/Bars.h"
#include "indent/modIndentControl.h"
#include "support/frmProgress.h"

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kTwoProcedures =
    "Option Explicit|  Dim x As Long||Sub A()|a = 1|End Sub|' about B|  ' more|Sub B()|b = 1|End Sub";

// Indent Procedure on the procedure at the caret (the comments above its head
// included) or on the declarations, and Indent Module on every line: the
// lines after, the progress message and range, the caret kept.
TEST(IndentCommands, IndentTheProcedureAtTheCaretOrTheModule) {
  struct Case { std::int16_t command; Selection caret; const char* after; const char* message; double max; };
  const char* kB = "Option Explicit|  Dim x As Long||Sub A()|a = 1|End Sub|' about B|' more|Sub B()|    b = 1|End Sub";
  const Case cases[] = {
      {cmd::kIndentProcedure, {7, 3, 7, 3}, kB, "Rebuilding 'B'", 4},
      {cmd::kIndentProcedure, {8, 3, 8, 3}, kB, "Rebuilding 'B'", 4},
      {cmd::kIndentProcedure, {11, 3, 11, 3}, kB, "Rebuilding 'B'", 4},
      {cmd::kIndentProcedure, {1, 3, 1, 3},
       "Option Explicit|Dim x As Long||Sub A()|a = 1|End Sub|' about B|  ' more|Sub B()|b = 1|End Sub",
       "Rebuilding 'Declarations'", 1},
      {cmd::kIndentModule, {5, 2, 6, 4},
       "Option Explicit|Dim x As Long||Sub A()|    a = 1|End Sub|' about B|' more|Sub B()|    b = 1|End Sub",
       "Rebuilding 'Module1'", 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message + std::to_string(c.caret.startLine));
    Harness h;
    ProgressLog log;
    h.g.progressRenderer = &log;
    h.OpenModuleLines(Bars(kTwoProcedures), c.caret);
    ASSERT_TRUE(h.RunCommand(c.command));
    EXPECT_EQ(Bars(h.Lines()), c.after);
    EXPECT_EQ(log.messages, (Lines{"", c.message}));
    EXPECT_EQ(log.max, c.max);
    EXPECT_EQ(log.Values(), Range(0, static_cast<long>(c.max)));
    EXPECT_EQ(h.Caret(), c.caret);
    EXPECT_EQ(log.unloads, 1);
    EXPECT_FALSE(ProgressLoaded(h.g));
  }
}

// Fault mended: an error in Indent Procedure escaped and left the progress window open.
// An error of the host inside Indent Procedure ends the command: it is
// reported in the add-in's message box, the progress window is gone, and the
// module is as it was.
TEST(IndentProcedure, AHostErrorEndsTheCommandAndIsReported) {
  for (const char* operation : {"CodeModule.ProcOfLine", "CodeModule.ProcStartLine", "CodeModule.ProcCountLines",
                                "CodePane.GetSelection"}) {
    SCOPED_TRACE(operation);
    Harness h;
    h.OpenModuleLines(Bars(kTwoProcedures), {10, 1, 10, 1});
    h.vbe.Faults().Refuse(operation, {.description = u"refused here"});
    EXPECT_FALSE(h.RunCommand(cmd::kIndentProcedure));
    EXPECT_EQ(h.Messages(), (std::vector<VbString>{u"refused here"}));
    EXPECT_FALSE(ProgressLoaded(h.g));
    EXPECT_EQ(Bars(h.Lines()), kTwoProcedures);
  }
}

// A module of blank lines: the dispatcher keeps its first line, which the
// command then finds without code and leaves alone.
struct NoCodeRow { std::int16_t command; std::int32_t language; const char16_t* message; };

constexpr NoCodeRow kNoCodeRows[] = {
    {cmd::kIndentModule, 0, u"The current module does not contain any code to indent."},
    {cmd::kIndentProcedure, 1, u"当前模块不包含任何可缩进的代码。"},
};

TEST(IndentCommands, AModuleOfBlankLinesIsReportedAndLeftAlone) {
  for (const NoCodeRow& row : kNoCodeRows) {
    SCOPED_TRACE(row.command * 10 + row.language);
    Harness h;
    h.g.gLanguage = row.language;
    h.OpenModuleLines(VbLines({"  ", "", "    "}));
    ASSERT_TRUE(h.RunCommand(row.command));
    EXPECT_EQ(h.Messages(), (std::vector<VbString>{row.message}));
    EXPECT_EQ(Utf8Lines(h.Lines()), (Lines{"  "}));
  }
}

// The drivers' own guards, as the indent-module hot key meets them (the
// dispatcher checks the same before its commands run).
using Driver = void (*)(Globals&);

struct GuardRow {
  const char* name;
  Driver driver;
  std::int32_t language;
  const char* setup;  // "no-project", "no-pane", "locked", "locked-probe-fails"
  const char16_t* message;  // nullptr: indents
};

constexpr GuardRow kGuardRows[] = {
    {"module", s_IndentModule, 0, "no-project", u"Could not identify current project."},
    {"module", s_IndentModule, 1, "no-project", u"不能缩进当前工程。"},
    {"project", s_IndentProject, 1, "no-project", u"不能缩进当前工程"},  // no full stop, unlike the module's
    {"procedure", s_IndentProcedure, 0, "no-pane", u"Could not identify current module."},
    {"module", s_IndentModule, 1, "no-pane", u"不能缩进当前模块。"}, {"project", s_IndentProject, 0, "no-pane", nullptr},
    {"procedure", s_IndentProcedure, 0, "locked-probe-fails", u"The current project is locked and can't be indented."},
    {"module", s_IndentModule, 1, "locked-probe-fails", u"当前工程被锁，不能缩进。"},
    {"project", s_IndentProject, 0, "locked-probe-fails", u"The current project is locked and can't be indented."},
    {"project", s_IndentProject, 0, "locked", nullptr},
};

TEST(IndentCommands, Guards) {
  for (const GuardRow& row : kGuardRows) {
    std::string setup = row.setup;
    SCOPED_TRACE(std::string(row.name) + " " + setup + " language " + std::to_string(row.language));
    Harness h;
    h.g.gLanguage = row.language;
    auto& component = h.AddModuleLines(VbLines({"Sub A()", "x = 1", "End Sub"}));
    if (setup != "no-project") h.Open(component, {2, 1, 2, 1});
    if (setup == "no-project") h.vbe.SetActiveProject(nullptr);
    if (setup == "no-pane") h.vbe.ActivateCodePane(nullptr), h.vbe.SetActiveProject(&h.Project());
    if (setup.starts_with("locked")) h.Project().SetProtection(vbide::kProtectionLocked);
    if (setup == "locked-probe-fails") h.vbe.Faults().Refuse("VBE.Version");
    row.driver(h.g);
    const auto& lines = component.Code().AllLines();
    if (row.message) {
      EXPECT_EQ(h.Messages(), (std::vector<VbString>{row.message}));
      EXPECT_EQ(lines[1], u"x = 1");
    } else {
      EXPECT_TRUE(h.Messages().empty());
      EXPECT_EQ(lines[1], u"    x = 1");
    }
  }
}

// Three modules of 10, 20 and 30 lines, with a form without code and a
// related document between them: one progress range of 0 to 59, each module
// taking its share, each starting again at level 0.
TEST(IndentProject, IndentsEveryModuleWithCodeUnderOneProgressRange) {
  Harness h;
  ProgressLog log;
  h.g.progressRenderer = &log;
  auto module = [](int lines) {
    Lines l = {"Sub A()", "If a Then"};  // the If is left open on purpose
    while (static_cast<int>(l.size()) < lines) l.push_back("  x = 1");
    return VbLines(l);
  };
  auto& first = h.AddModuleLines(module(10), u"First");
  h.Project().AddComponent(u"Form1", vbide::ComponentType::VBForm);
  auto& second = h.AddModuleLines(module(20), u"Second");
  h.Project().AddComponent(u"Notes", vbide::ComponentType::RelatedDocument);
  auto& third = h.AddModuleLines(module(30), u"Third");
  h.Open(second, {3, 1, 3, 1});
  ASSERT_TRUE(h.RunCommand(cmd::kIndentProject));

  EXPECT_EQ(log.max, 59);
  EXPECT_EQ(log.messages, (Lines{"", "Rebuilding 'First'", "Rebuilding 'Second'", "Rebuilding 'Third'"}));
  std::vector<ProgressLog::Step> expected;
  for (long v = 0; v <= 59; ++v) {
    expected.push_back({v < 10 ? "Rebuilding 'First'" : v < 30 ? "Rebuilding 'Second'" : "Rebuilding 'Third'", v});
  }
  EXPECT_EQ(log.steps, expected);
  for (auto* component : {&first, &second, &third}) {
    EXPECT_EQ(component->Code().AllLines()[1], u"    If a Then");
    EXPECT_EQ(component->Code().AllLines()[2], u"        x = 1");
  }
  EXPECT_EQ(h.Caret(), (Selection{3, 1, 3, 1}));
  EXPECT_TRUE(h.Messages().empty());
}

TEST(IndentProject, AProjectWithoutCodeIsReportedWithItsName) {
  for (std::int32_t language : {0, 1}) {
    Harness h;
    h.g.gLanguage = language;
    h.Project().SetName(u"Billing");
    h.Project().AddComponent(u"Form1", vbide::ComponentType::VBForm);
    h.Project().AddComponent(u"Notes", vbide::ComponentType::RelatedDocument);
    h.AddModuleLines({u"  ", u""});
    s_IndentProject(h.g);
    EXPECT_EQ(h.Messages(), (std::vector<VbString>{language == 0
                                                       ? u"The current project, 'Billing', does not contain any code"
                                                       : u"当前工程 'Billing' 没有包含任何代码"}));
  }
}

}  // namespace
}  // namespace kv::test
