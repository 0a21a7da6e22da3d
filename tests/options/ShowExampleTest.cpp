// The live example of the options window, driven through the window's
// controls: the worked examples line by line and the control the example
// enables.
#include "options/ShowExample.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "Harness.h"
#include "options/frmOptions.h"

namespace kv {
namespace {

std::string Utf8(VbStringView text) { return VbToUtf8(text); }

std::size_t Leading(VbStringView line) { return line.size() - LTrimView(line).size(); }

class LiveExample : public test::HarnessTest {
 protected:
  // The worked examples start with the first comment block, Select Case and
  // end-of-line alignment off, as stored.
  frmOptions& Open(bool fresh = false) {
    if (!fresh)
      for (const char16_t* key : {u"IndentFirst", u"IndentCase", u"AlignEOL"}) settings.WriteSetting(key, u"N");
    ShowOptionsWindow(g);
    return *g.optionsWindow;
  }
  void Enter(std::string_view box, VbStringView text) {
    frmOptions& w = *g.optionsWindow;
    w.SetFocus(box);
    w.SetSelection(box, 0, w.Control(box).text.size());
    w.Type(text);
    if (text.empty()) w.Backspace();
  }
  const std::vector<VbString>& Lines() { return g.optionsWindow->Control("lbCodeExample").items; }
  std::vector<std::size_t> Indents() {
    std::vector<std::size_t> spaces;
    for (const VbString& line : Lines()) spaces.push_back(Leading(line));
    return spaces;
  }
  // The 1-based column of the first apostrophe of a 1-based line.
  std::size_t Apostrophe(std::size_t line) { return InStr(Lines().at(line - 1), u"'"); }
};

// Fault mended: a fresh store showed IndentFirst, IndentCase and AlignEOL off,
// which the indentation routine reads as on.
TEST_F(LiveExample, FreshStoreShowsTheIndentersDefaults) {
  Open(/*fresh=*/true);
  EXPECT_EQ(Indents(), (std::vector<std::size_t>{0, 0, 4, 4, 4, 4, 4, 8, 8, 12, 16, 16, 8, 4, 4, 4, 8, 4, 0}));
  EXPECT_EQ(Apostrophe(13), 56u);
  EXPECT_EQ(Apostrophe(14), 56u);
  EXPECT_EQ(Utf8(Lines()[13]), "    End If" + std::string(45, ' ') + "'More Tools?");
}

TEST_F(LiveExample, TwoSpacesWithoutProcedureLevelAtColumn10) {
  frmOptions& w = Open();
  Enter("tbSpaceNum", u"2");
  w.Click("cbIndentProc");
  w.Click("cbIndentCmt");
  w.Click("cbIndentCase");
  w.Click("cbAlignEOL");
  Enter("tbAlignCol", u"10");
  EXPECT_EQ(Indents(), (std::vector<std::size_t>{0, 0, 0, 0, 0, 0, 0, 0, 2, 4, 0, 6, 2, 0, 0, 0, 2, 0, 0}));
  EXPECT_EQ(Utf8(Lines()[12]), "  End Select  'Case X");  // the code is longer than the column
  EXPECT_EQ(Apostrophe(13), 15u);
  EXPECT_EQ(Apostrophe(14), 11u);
}

TEST_F(LiveExample, ProcedureLevelEnablesTheFirstBlockOption) {
  frmOptions& w = Open();
  w.Click("cbIndentFirst");
  w.Click("cbIndentProc");
  EXPECT_FALSE(w.Control("cbIndentFirst").enabled);
  EXPECT_EQ(w.Control("cbIndentFirst").value, 1);  // keeps its tick, which changes nothing now
  EXPECT_EQ(Leading(Lines()[3]), 0u);
  w.Click("cbIndentFirst");  // disabled: ignores the click
  EXPECT_EQ(w.Control("cbIndentFirst").value, 1);
  w.Click("cbIndentProc");
  EXPECT_TRUE(w.Control("cbIndentFirst").enabled);
  EXPECT_EQ(Leading(Lines()[3]), 4u);
}

}  // namespace
}  // namespace kv
