// The dispatcher: its three guards, module preparation, the caret it keeps,
// the whole-text replacement that never loses a module, and the report of an
// object-model error at the place where the command was started.
#include "organize/modOrganize.h"

#include <gtest/gtest.h>

#include "Harness.h"
#include "support/frmProgress.h"

namespace kv {
namespace {

using Texts = std::vector<VbString>;

class Dispatcher : public test::HarnessTest {};

const VbString kNoProject = u"Could not identify current project.";
const VbString kLocked = u"The current project is locked and can't be indented.";
const VbString kNoModule = u"Could not identify current module.";

// Every number the menus carry, and a few they don't: the guards come first.
const std::int16_t kAllCommands[] = {0, 1, 2, 3, 9, 11, 15, 16, 17, 18, 19, 25, 27, 31, 99};

TEST_F(Dispatcher, WithoutAProjectEveryCommandShowsOnlyTheProjectMessage) {
  for (std::int16_t n : kAllCommands) {
    ASSERT_TRUE(RunCommand(n));
  }
  ASSERT_EQ(Messages().size(), std::size(kAllCommands));
  for (const auto& box : platform.MessageBoxes()) {
    EXPECT_EQ(box.text, kNoProject);
    EXPECT_EQ(box.title, kMessageTitle);
  }
  EXPECT_EQ(g.SavedSelection, Selection{});  // nothing stored
}

TEST_F(Dispatcher, WithoutACodePaneEveryCommandShowsOnlyTheModuleMessage) {
  AddModule(u"x = 1\r\n\r\n");
  vbe.SetActiveProject(&Project());
  for (std::int16_t n : kAllCommands) RunCommand(n);
  EXPECT_EQ(Messages(), Texts(std::size(kAllCommands), kNoModule));
  EXPECT_EQ(Project().Components()[0]->Code().AllLines(), (Texts{u"x = 1", u""}));  // untouched
}

TEST_F(Dispatcher, LockedProjectIsReportedOnlyWhenTheProbeFails) {
  OpenModule(u"A\r\n\r\n");
  Project().SetProtection(vbide::kProtectionLocked);
  RunCommand(24);  // the probe succeeds: protection is not looked at
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Lines(), (Texts{u"A"}));

  Module().LoadText(u"A\r\n\r\n");
  vbe.Faults().Refuse("VBE.Version");
  RunCommand(24);
  EXPECT_EQ(Messages(), (Texts{kLocked}));
  EXPECT_EQ(Lines(), (Texts{u"A", u""}));

  g.gLanguage = 1;
  RunCommand(24);
  EXPECT_EQ(Messages().back(), u"当前工程被锁，不能缩进。");
}

TEST(DropTrailingBlankLines, Table) {
  struct Case { VbStringView in, out; };
  const Case cases[] = {
      {u"", u""}, {u"A", u"A"}, {u"A\r\n", u"A"}, {u"A\r\n  \r\n\r\n", u"A"},
      {u"A\r\n\tB\r\n ", u"A\r\n\tB"},  // a tab is not blank
      {u"  \r\n\r\n", u"  "},           // only blank lines: the first stays as it is
      {u"\r\n  ", u""},
      {u"A\r\n\r\nB", u"A\r\n\r\nB"},  // inner blank lines stay
      {u"A\rB\n\r\n", u"A\rB\n"},       // only CR LF splits
  };
  for (const auto& c : cases) EXPECT_EQ(f_DropTrailingBlankLines(c.in), c.out) << VbToUtf8(c.in);
}

// The commands of the current module get module preparation, which drops the
// blank lines at the end of the module; the others leave it alone.
TEST_F(Dispatcher, ModulePreparationDropsTrailingBlankLines) {
  struct Case { std::int16_t n; Texts expected; };
  const Texts before{u"A", u"B", u"  ", u""};
  const Case cases[] = {
      {13, {u"A", u"B"}}, {23, {u"A", u"B"}}, {24, {u"A", u"B"}},
      {30, before},       {31, before},       {0, before},
  };
  OpenModuleLines(before);
  for (const auto& c : cases) {
    Module().LoadLines(before);
    RunCommand(c.n);
    EXPECT_EQ(Lines(), c.expected) << "command " << c.n;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Dispatcher, PreparationOfAModuleWithoutTrailingBlanksWritesNothing) {
  OpenModuleLines({u"A", u"B"});
  vbe.Faults().Refuse("CodeModule.DeleteLines");
  EXPECT_TRUE(RunCommand(24));  // no whole-text replacement was needed
  EXPECT_TRUE(Messages().empty());
}

// Fault mended: adding the new text failing after the deletion lost the whole module.
TEST_F(Dispatcher, AFailedReplacementPutsTheOldTextBackAndIsReported) {
  const Texts before{u"Sub A()", u"End Sub", u"", u"  "};
  OpenModuleLines(before);
  vbe.Faults().Refuse("CodeModule.AddFromString", {.times = 1, .description = u"Out of memory"});
  EXPECT_FALSE(RunCommand(11));
  EXPECT_EQ(Lines(), before);
  EXPECT_EQ(Messages(), (Texts{u"Out of memory"}));
  EXPECT_EQ(platform.MessageBoxes().back().title, kMessageTitle);
}

TEST_F(Dispatcher, AnErrorInsideACommandIsReportedAndUnloadsTheProgressWindow) {
  OpenModuleLines({u"A", u""});
  s_ShowProgress(g, 0, 10);
  vbe.Faults().Refuse("CodeModule.Lines", {.number = 57, .description = u"Device I/O error"});
  std::int16_t n = 11;
  EXPECT_THROW(s_OrganizeModule(g, n), VbError);  // the dispatcher itself does not catch
  EXPECT_TRUE(ProgressLoaded(g));
  EXPECT_FALSE(RunCommand(11));  // its caller does
  EXPECT_FALSE(ProgressLoaded(g));
  EXPECT_EQ(Messages(), (Texts{u"Device I/O error"}));
}

}  // namespace
}  // namespace kv
