// The three indent commands on the model IDE: which lines each indents, their
// guards and messages in both languages, the progress window's range, and
// the caret afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IndentSupport.h"
#include "ProgressLog.h"
#include "indent/modIndentControl.h"
#include "support/frmProgress.h"

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;

const Lines kTwoProcedures = {
    "Option Explicit",  //  1
    "  Dim x As Long",  //  2
    "",                 //  3
    "Sub A()",          //  4
    "a = 1",            //  5
    "End Sub",          //  6
    "' about B",        //  7
    "  ' more",         //  8
    "Sub B()",          //  9
    "b = 1",            // 10
    "End Sub",          // 11
};

TEST(IndentProcedure, IndentsTheProcedureAtTheCaretWithTheCommentsAboveItsHead) {
  for (std::int32_t caret : {7, 8, 10, 11}) {
    SCOPED_TRACE(caret);
    Harness h;
    ProgressLog log;
    h.g.progressRenderer = &log;
    h.OpenModuleLines(VbLines(kTwoProcedures), {caret, 3, caret, 3});
    ASSERT_TRUE(h.RunCommand(cmd::kIndentProcedure));
    EXPECT_EQ(Utf8Lines(h.Lines()), (Lines{"Option Explicit", "  Dim x As Long", "", "Sub A()", "a = 1", "End Sub",
                                           "' about B", "' more", "Sub B()", "    b = 1", "End Sub"}));
    EXPECT_EQ(log.messages, (Lines{"", "Rebuilding 'B'"}));
    EXPECT_EQ(log.max, 4);
    EXPECT_EQ(log.Values(), Range(0, 4));
    EXPECT_EQ(h.Caret(), (Selection{caret, 3, caret, 3}));
    EXPECT_FALSE(ProgressLoaded(h.g));
  }
}

TEST(IndentProcedure, CaretInTheDeclarationsIndentsThem) {
  Harness h;
  ProgressLog log;
  h.g.progressRenderer = &log;
  h.OpenModuleLines(VbLines(kTwoProcedures), {1, 1, 1, 1});
  ASSERT_TRUE(h.RunCommand(cmd::kIndentProcedure));
  EXPECT_EQ(Utf8Lines(h.Lines()), (Lines{"Option Explicit", "Dim x As Long", "", "Sub A()", "a = 1", "End Sub",
                                         "' about B", "  ' more", "Sub B()", "b = 1", "End Sub"}));
  EXPECT_EQ(log.messages, (Lines{"", "Rebuilding 'Declarations'"}));
  EXPECT_EQ(log.max, 1);
}

// A head declared once per #If branch is one procedure to the IDE, #If line
// included; indenting it leaves the level where it belongs for what follows.
TEST(IndentProcedure, AHeadDeclaredInTwoBranchesIsOneProcedure) {
  const Lines input = {"Sub A()",     "End Sub",       "#If VBA7 Then", "Private Sub X(ByVal h As LongPtr)",
                       "#Else",       "Private Sub X(ByVal h As Long)", "#End If", "h = 0",
                       "End Sub",     "Sub Z()",       "  z = 1",       "End Sub"};
  Harness h;
  h.OpenModuleLines(VbLines(input), {8, 1, 8, 1});
  ASSERT_TRUE(h.RunCommand(cmd::kIndentProcedure));
  EXPECT_EQ(Utf8Lines(h.Lines()),
            (Lines{"Sub A()", "End Sub", "#If VBA7 Then", "    Private Sub X(ByVal h As LongPtr)", "#Else",
                   "    Private Sub X(ByVal h As Long)", "#End If", "    h = 0", "End Sub", "Sub Z()", "  z = 1",
                   "End Sub"}));
}

// The module's trailing blank lines are dropped before the command runs; a
// caret that stood on one belongs to the last procedure.
TEST(IndentProcedure, CaretBelowTheLastLineIndentsTheLastProcedure) {
  Harness h;
  Lines lines = kTwoProcedures;
  lines.insert(lines.end(), {"", "   "});
  h.OpenModuleLines(VbLines(lines), {13, 1, 13, 1});
  ASSERT_TRUE(h.RunCommand(cmd::kIndentProcedure));
  EXPECT_TRUE(h.Messages().empty());
  EXPECT_EQ(h.Lines()[9], u"    b = 1");
  EXPECT_EQ(h.Lines()[4], u"a = 1");
}

// An error of the host inside Indent Procedure ends the command: it is
// reported in the add-in's message box, the progress window is gone, and the
// module is as it was.
TEST(IndentProcedure, AHostErrorEndsTheCommandAndIsReported) {
  for (const char* operation : {"CodeModule.ProcOfLine", "CodeModule.ProcStartLine", "CodeModule.ProcCountLines",
                                "CodePane.GetSelection"}) {
    SCOPED_TRACE(operation);
    Harness h;
    h.OpenModuleLines(VbLines(kTwoProcedures), {10, 1, 10, 1});
    h.vbe.Faults().Refuse(operation, {.description = u"refused here"});
    EXPECT_FALSE(h.RunCommand(cmd::kIndentProcedure));
    EXPECT_EQ(h.Messages(), (std::vector<VbString>{u"refused here"}));
    EXPECT_FALSE(ProgressLoaded(h.g));
    EXPECT_EQ(Utf8Lines(h.Lines()), kTwoProcedures);
  }
}

TEST(IndentModule, IndentsEveryLineAndKeepsTheCaret) {
  Harness h;
  ProgressLog log;
  h.g.progressRenderer = &log;
  h.OpenModuleLines(VbLines(kTwoProcedures), {5, 2, 6, 4});
  ASSERT_TRUE(h.RunCommand(cmd::kIndentModule));
  EXPECT_EQ(Utf8Lines(h.Lines()), (Lines{"Option Explicit", "Dim x As Long", "", "Sub A()", "    a = 1", "End Sub",
                                         "' about B", "' more", "Sub B()", "    b = 1", "End Sub"}));
  EXPECT_EQ(log.messages, (Lines{"", "Rebuilding 'Module1'"}));
  EXPECT_EQ(log.max, 10);
  EXPECT_EQ(log.Values(), Range(0, 10));
  EXPECT_EQ(h.Caret(), (Selection{5, 2, 6, 4}));
  EXPECT_EQ(log.unloads, 1);
  EXPECT_FALSE(ProgressLoaded(h.g));
}

// A module of blank lines: the dispatcher keeps its first line, which the
// command then finds without code and leaves alone.
struct NoCodeRow {
  std::int16_t command;
  std::int32_t language;
  const char16_t* message;
};

constexpr NoCodeRow kNoCodeRows[] = {
    {cmd::kIndentModule, 0, u"The current module does not contain any code to indent."},
    {cmd::kIndentProcedure, 0, u"The current module does not contain any code to indent."},
    {cmd::kIndentModule, 1, u"当前模块不包含任何可缩进的代码。"},
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

TEST(IndentCommands, ALineOfTabsIsCodeAndComesOutEmpty) {
  Harness h;
  h.OpenModuleLines(VbLines({"\t", "\t \t"}));
  ASSERT_TRUE(h.RunCommand(cmd::kIndentModule));
  EXPECT_TRUE(h.Messages().empty());
  EXPECT_EQ(Utf8Lines(h.Lines()), (Lines{"", ""}));
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
    {"procedure", s_IndentProcedure, 0, "no-project", u"Could not identify current project."},
    {"procedure", s_IndentProcedure, 1, "no-project", u"不能缩进当前工程"},
    {"module", s_IndentModule, 0, "no-project", u"Could not identify current project."},
    {"module", s_IndentModule, 1, "no-project", u"不能缩进当前工程。"},
    {"project", s_IndentProject, 0, "no-project", u"Could not identify current project."},
    {"project", s_IndentProject, 1, "no-project", u"不能缩进当前工程"},
    {"procedure", s_IndentProcedure, 0, "no-pane", u"Could not identify current module."},
    {"procedure", s_IndentProcedure, 1, "no-pane", u"不能缩进当前模块。"},
    {"module", s_IndentModule, 0, "no-pane", u"Could not identify current module."},
    {"module", s_IndentModule, 1, "no-pane", u"不能缩进当前模块。"},
    {"project", s_IndentProject, 0, "no-pane", nullptr},
    {"procedure", s_IndentProcedure, 0, "locked-probe-fails", u"The current project is locked and can't be indented."},
    {"module", s_IndentModule, 1, "locked-probe-fails", u"当前工程被锁，不能缩进。"},
    {"project", s_IndentProject, 0, "locked-probe-fails", u"The current project is locked and can't be indented."},
    {"procedure", s_IndentProcedure, 0, "locked", nullptr},
    {"module", s_IndentModule, 0, "locked", nullptr},
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
    const std::vector<VbString>& lines = component.Code().AllLines();
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
