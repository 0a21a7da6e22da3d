// The terminal forms without a terminal: the keys as the options and about
// windows receive them, and the layout of the options window.
#include "cli/OptionsScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "cli/AboutScreen.h"
#include "options/frmOptions.h"
#include "support/frmAbout.h"

namespace kv::cli::tui {
namespace {

Key Char(char32_t c) { return {false, static_cast<std::uint32_t>(c)}; }
Key Fn(std::uint32_t code) { return {true, code}; }

class OptionsKeys : public test::HarnessTest {
 protected:
  frmOptions& Open() {
    ShowOptionsWindow(g);
    return *g.optionsWindow;
  }
  void Press(const std::vector<Key>& keys) {
    for (const Key& k : keys) HandleOptionsKey(*g.optionsWindow, k);
  }
  std::string Focus() { return std::string(g.optionsWindow->ActiveControl()->name); }
  std::string Text(std::string_view name) { return VbToUtf8(g.optionsWindow->Control(name).text); }
};

TEST_F(OptionsKeys, TypingReplacesTheSelectedNumberAndIsCorrected) {
  Open();
  EXPECT_EQ(Focus(), "tbSpaceNum");
  Press({Char('1'), Char('2')});
  EXPECT_EQ(Text("tbSpaceNum"), "");
  Press({Char('9')});
  EXPECT_EQ(Text("tbSpaceNum"), "9");
  Press({Fn(keys::Backspace()), Char('-'), Char('3')});
  EXPECT_EQ(Text("tbSpaceNum"), "3");
  Press({Fn(keys::Home()), Char('1')});  // "13": above ten
  EXPECT_EQ(Text("tbSpaceNum"), "");
}

TEST_F(OptionsKeys, TabSpaceAndArrows) {
  frmOptions& w = Open();
  Press({Char('\t'), Char(' ')});
  EXPECT_EQ(Focus(), "cbIndentProc");
  EXPECT_EQ(w.Control("cbIndentProc").value, 0);
  Press({Fn(keys::BackTab())});
  EXPECT_EQ(Focus(), "tbSpaceNum");
  Press({Fn(keys::Down()), Fn(keys::Down())});  // arrows outside a box move like Tab
  EXPECT_EQ(Focus(), "cbAlignEOL");
  Press({Fn(keys::BackTab()), Fn(keys::BackTab()), Fn(keys::BackTab())});
  EXPECT_EQ(Focus(), "cmbLanguage");
  Press({Fn(keys::Right())});
  EXPECT_EQ(w.Control("cmbLanguage").listIndex, 1);
  Press({Fn(keys::Right())});
  EXPECT_EQ(w.Control("cmbLanguage").listIndex, 1);
  Press({Fn(keys::Up())});
  EXPECT_EQ(w.Control("cmbLanguage").listIndex, 0);
}

TEST_F(OptionsKeys, CustomTextTakesLinesAndMovesBetweenThem) {
  frmOptions& w = Open();
  w.SetFocus("txtCtrl1Target");
  Press({Fn(keys::End()), Char('a'), Char('\r'), Char('b'), Char('c'), Fn(keys::Up()), Char('x')});
  EXPECT_EQ(Text("txtCtrl1Target"), "'ax\r\nbc");
  Press({Fn(keys::Down()), Fn(keys::End()), Fn(keys::Backspace()), Fn(keys::Left()), Fn(keys::Left()),
         Fn(keys::Delete())});
  EXPECT_EQ(Text("txtCtrl1Target"), "'axb");  // the line end goes as one character
}

TEST_F(OptionsKeys, EnterPressesTheFocusedButtonOnly) {
  frmOptions& w = Open();
  Press({Char('\r')});  // on the spaces box: nothing
  EXPECT_TRUE(w.Visible());
  w.SetFocus("cmdOK");
  Press({Char('\r')});
  EXPECT_FALSE(w.Visible());
  EXPECT_TRUE(w.Saved());
  EXPECT_EQ(VbToUtf8(settings.ReadSetting(u"IndentSpaces", u"?")), "4");
}

TEST_F(OptionsKeys, CtrlCCancels) {  // Esc: the access-key test
  frmOptions& w = Open();
  Press({Char('7'), Char(U'\x03')});
  EXPECT_FALSE(w.Visible() || w.Saved() || settings.HasSetting(u"IndentSpaces"));
}

TEST_F(OptionsKeys, ChineseTextIsTypedAsUtf16) {
  Open();
  g.optionsWindow->SetFocus("txtCtrl1Target");
  Press({Fn(keys::End()), Char(U'注'), Char(U'\U0001F600')});
  EXPECT_EQ(Text("txtCtrl1Target"), "'注\U0001F600");
  Press({Fn(keys::Backspace())});  // removes the whole pair
  EXPECT_EQ(Text("txtCtrl1Target"), "'注");
}

// Each page fits 80×24 in both languages, its controls inside the window and
// clear of each other; the other page's controls are not placed.
TEST_F(OptionsKeys, EachPageFits80By24InBothLanguages) {
  for (std::int32_t language : {0, 1}) {
    test::Harness h;
    h.g.gLanguage = language;
    ShowOptionsWindow(h.g);
    const frmOptions& w = *h.g.optionsWindow;
    EXPECT_LE(LayoutOptions(w, 79, 24).needColumns, 80) << language;
    EXPECT_FALSE(LayoutOptions(w, 80, 23).fits) << language;
    for (int page : {kIndentPage, kOtherPage}) {
      OptionsLayout layout = LayoutOptions(w, 80, 24, page);
      EXPECT_TRUE(layout.fits) << language << " needs " << layout.needColumns;
      for (const FormControl& c : w.Controls()) {
        const Rect* r = layout.Of(c.name);
        const int on = PageOf(w, c.name);
        EXPECT_EQ(r != nullptr, on == page || on < 0) << c.name;
        if (!r) continue;
        EXPECT_LE(r->x + r->width, 80) << c.name;
        EXPECT_LE(r->y + r->height, 24) << c.name;
        if (c.TakesFocus() || c.name == "labIs") {
          EXPECT_EQ(layout.At(r->y, r->x + r->width - 1), c.name) << c.name << " language " << language;
        }
      }
    }
  }
}

TEST_F(OptionsKeys, AltLetterIsTheAccessKeyAndALoneEscCancels) {
  frmOptions& w = Open();
  struct Case {
    char32_t letter;
    const char* focus;
  } const cases[] = {
      {U'o', "chkCtrl1"},    // a group: its first control
      {U'M', "chkIndentModHotKey"},  // a check box: ticked
      {U'i', "tbSpaceNum"},
      {U'h', "chkF1"},
      {U'k', "chkF2"},
      {U'q', "chkF2"},  // no caption has it: nothing
  };
  for (const Case& c : cases) {
    HandleOptionsKey(w, Key{false, c.letter, true});
    EXPECT_EQ(Focus(), c.focus) << char(c.letter);
  }
  EXPECT_EQ(w.Control("chkIndentModHotKey").value, 1);
  EXPECT_EQ(w.Control("chkF2").value, 1);
  EXPECT_TRUE(w.Visible());
  Press({Char(U'\x1b')});
  EXPECT_FALSE(w.Visible());
}

TEST(AboutKeys, LinkAndOk) {
  test::Harness h;
  ShowAboutWindow(h.g);
  frmAbout& w = *h.g.aboutWindow;
  AboutFocus focus = AboutFocus::Ok;
  HandleAboutKey(w, focus, Char('\t'));
  EXPECT_EQ(focus, AboutFocus::Address);
  HandleAboutKey(w, focus, Char('\r'));
  EXPECT_EQ(h.platform.OpenedUrls().size(), 1u);
  EXPECT_TRUE(w.Visible());
  HandleAboutKey(w, focus, Fn(keys::BackTab()));
  HandleAboutKey(w, focus, Char(' '));
  EXPECT_FALSE(w.Visible());

  ShowAboutWindow(h.g);
  AboutFocus again = AboutFocus::Address;
  HandleAboutKey(*h.g.aboutWindow, again, Char('\x1b'));
  EXPECT_FALSE(h.g.aboutWindow->Visible());
  EXPECT_EQ(h.platform.OpenedUrls().size(), 1u);
}

}  // namespace
}  // namespace kv::cli::tui
