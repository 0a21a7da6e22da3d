// The options window as the user drives it: the number boxes corrected while
// typing, loading on the first showing only, Save writing the nineteen keys,
// the focus and input limits. (Loading and Cancel: the command and terminal
// tests.)
#include "options/frmOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "Harness.h"
#include "host/frmHotKey.h"
#include "indent/IndentOptions.h"

namespace kv {
namespace {

using test::HarnessTest;

std::string Utf8(VbStringView text) { return VbToUtf8(text); }

TEST(CorrectNumberText, Table) {
  struct Case { const char16_t* text; int limit; const char16_t* expected; };
  const Case cases[] = {
      {u"", 10, u""},        {u"12", 10, u""},      {u"10", 10, u"10"},   {u"abc", 10, u""},
      {u"-3", 10, u"3"},     {u"+4", 10, u"4"},     {u"03", 10, u"3"},    {u"-0", 10, u"0"},
      {u"2.5", 10, u"2"},    {u"3.5", 10, u"4"},    {u"0.5", 10, u"0"},   {u"2.51", 10, u"3"},
      {u"9.5", 10, u"10"},   {u"10.5", 10, u"10"},  {u"10.51", 10, u""},  {u".5", 10, u"0"},
      {u"1.", 10, u"1"},     {u" 7 ", 10, u"7"},    {u"7\t", 10, u""},    {u"-", 10, u""},
      {u".", 10, u""},       {u"1e1", 10, u""},     {u"1,0", 10, u""},    {u"3 3", 10, u""},
      {u"101", 100, u""},    {u"100", 100, u"100"}, {u"0100", 100, u"100"},
      {u"99999999999", 100, u""}, {u"32768", 40000, u""}, {u"32767", 40000, u"32767"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Utf8(CorrectNumberText(c.text, c.limit)), Utf8(c.expected)) << Utf8(c.text) << " limit " << c.limit;
}

class OptionsWindow : public HarnessTest {
 protected:
  frmOptions& Open() {
    ShowOptionsWindow(g);
    return *g.optionsWindow;
  }
  // Types the keys one at a time into a box whose whole text is selected.
  VbString TypeInto(std::string_view box, VbStringView keys) {
    frmOptions& w = *g.optionsWindow;
    EXPECT_TRUE(w.SetFocus(box));
    w.SetSelection(box, 0, w.Control(box).text.size());
    for (char16_t key : keys) w.Type(VbStringView(&key, 1));
    return w.Control(box).text;
  }
  VbString Stored(VbStringView key) { return settings.HasSetting(key) ? settings.ReadSetting(key, u"") : u"(absent)"; }
};

TEST_F(OptionsWindow, NumberBoxesAreCorrectedWhileTyping) {
  struct Case { const char* box; const char16_t* keys; const char16_t* shown; };
  const Case cases[] = {
      {"tbSpaceNum", u"12", u""},    {"tbSpaceNum", u"10", u"10"},  {"tbSpaceNum", u"abc", u""},
      {"tbSpaceNum", u"-3", u"3"},   {"tbSpaceNum", u"7", u"7"},    {"tbSpaceNum", u"0", u"0"},
      {"tbAlignCol", u"101", u""},   {"tbAlignCol", u"100", u"100"}, {"tbAlignCol", u"1005", u"100"},
      {"tbAlignCol", u"x9", u"9"},   {"tbLineStart", u"10000", u"10000"}, {"tbLineStart", u"10001", u""},
      {"tbLineStep", u"0", u"1"},     {"tbLineStep", u"-5", u"5"},
      {"txtIndentMod", u"kq", u"k"}, {"txtCtrl1", u"7x", u"7"},  // letter boxes: one character, uncorrected
  };
  Open();
  for (const Case& c : cases) EXPECT_EQ(Utf8(TypeInto(c.box, c.keys)), Utf8(c.shown)) << c.box << " " << Utf8(c.keys);
}

TEST_F(OptionsWindow, OnlyTheFirstShowingLoads) {
  frmOptions& w = Open();
  TypeInto("tbSpaceNum", u"2");
  settings.WriteSetting(u"IndentSpaces", u"8");
  ShowOptionsWindow(g);  // command 19 again while the window is open
  w.Form_Activate();     // the window becomes active again
  EXPECT_EQ(g.optionsWindow.get(), &w);
  EXPECT_EQ(Utf8(w.Control("tbSpaceNum").text), "2");
}

TEST_F(OptionsWindow, SaveWritesEveryKeyByTheLetterRules) {
  frmOptions& w = Open();
  TypeInto("tbSpaceNum", u"");
  w.Backspace();
  w.Click("cbIndentProc");
  w.Click("cbIndentCase");
  TypeInto("tbAlignCol", u"60");
  w.SetListIndex("cmbLanguage", 1);
  w.Click("chkF2");
  TypeInto("txtIndentMod", u"k");
  w.Click("chkCtrl1");
  TypeInto("txtCtrl1", u"q");
  w.SetFocus("txtCtrl1Target");
  w.Type(u"\r\nEnd");
  w.Click("chkUnfold");
  w.Click("cmdOK");

  const std::pair<const char16_t*, const char*> stored[] = {
      {u"IndentSpaces", ""},   {u"IndentProc", "N"}, {u"IndentFirst", "Y"},        {u"IndentCmt", "Y"},
      {u"IndentCase", "N"},    {u"AlignEOL", "Y"},   {u"AlignEOLCol", "60"},       {u"Language", "1"},
      {u"chkSave", "N"},       {u"chkF1", "N"},      {u"chkF2", "Y"},             {u"chkIndentModHotKey", "N"},
      {u"txtIndentMod", "K"},  {u"chkCtrl1", "Y"},   {u"txtCtrl1", "q"},          {u"txtCtrl1Target", "'\r\nEnd"},
      {u"chkFold", "N"},       {u"chkUnfold", "Y"},  {u"chkUnfoldAll", "N"},       {u"LineNumberStart", "10"},
      {u"LineNumberStep", "10"},
  };
  ASSERT_EQ(std::size(stored), kOptionKeys.size());
  for (auto [key, value] : stored) EXPECT_EQ(Utf8(Stored(key)), value) << Utf8(key);
  EXPECT_FALSE(w.Loaded());
  EXPECT_TRUE(platform.MessageBoxes().empty());
}

TEST_F(OptionsWindow, RefusedSaveKeepsTheWindowAndTheEdits) {
  folder.Write("not-a-folder", "x");
  SettingsStore unwritable(folder.Path() / "not-a-folder" / "settings.ini");
  unwritable.SetWarningSink([](std::string_view) {});
  Globals other(platform, unwritable);
  ShowOptionsWindow(other);
  frmOptions& w = *other.optionsWindow;
  w.Click("chkF1");
  w.Click("cmdOK");
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.Control("chkF1").value, 1);
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_NE(platform.MessageBoxes()[0].text.find(u"settings"), VbString::npos);
  EXPECT_TRUE(platform.RegisteredHotKeys().empty());
}

// Fault mended: Save without a change on a fresh store switched IndentFirst,
// IndentCase and AlignEOL off, which the indentation routine reads as on.
TEST_F(OptionsWindow, SaveOnAFreshStoreKeepsWhatTheIndenterDoes) {
  const IndentOptions before = ReadIndentOptions(settings);
  Open().Click("cmdOK");
  for (const char16_t* key : {u"IndentProc", u"IndentFirst", u"IndentCmt", u"IndentCase", u"AlignEOL"})
    EXPECT_EQ(Utf8(Stored(key)), "Y") << Utf8(key);
  EXPECT_EQ(Utf8(Stored(u"IndentSpaces")), "4");
  EXPECT_EQ(Utf8(Stored(u"AlignEOLCol")), "55");
  const IndentOptions after = ReadIndentOptions(settings);
  EXPECT_EQ(std::tie(before.IndentProc, before.IndentFirst, before.IndentCmt, before.IndentCase, before.AlignEOL,
                     before.AlignEOLCol, before.IndentSpaces),
            std::tie(after.IndentProc, after.IndentFirst, after.IndentCmt, after.IndentCase, after.AlignEOL,
                     after.AlignEOLCol, after.IndentSpaces));
}

TEST_F(OptionsWindow, SaveRegistersTheHotKeysAgain) {
  frmOptions& w = Open();
  w.Click("chkF1");
  w.Click("chkIndentModHotKey");
  TypeInto("txtIndentMod", u"q");
  w.Click("cmdOK");
  std::vector<std::uint32_t> keys;
  for (const auto& hot : platform.RegisteredHotKeys()) keys.push_back(hot.vk);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::uint32_t>{'Q', platform::vk::kF1}));
}

TEST_F(OptionsWindow, TabOrderSkipsLabelsGroupsAndDisabledControls) {
  settings.WriteSetting(u"AlignEOL", u"N");  // the column box disabled
  frmOptions& w = Open();
  std::vector<std::string> forward;
  for (int i = 0; i < 23; ++i) {
    if (i > 0) w.FocusNext();
    forward.emplace_back(w.ActiveControl()->name);
  }
  const std::vector<std::string> expected = {
      "tbSpaceNum", "cbIndentProc", "cbAlignEOL", "cbIndentFirst", "cbIndentCmt", "cbIndentCase", "chkCtrl1",
      "txtCtrl1", "chkSave", "chkF1", "chkF2", "txtIndentMod", "chkIndentModHotKey", "chkFold", "chkUnfold",
      "txtCtrl1Target", "chkUnfoldAll", "tbLineStart", "tbLineStep", "cmdOK", "cmdCancel", "cmbLanguage",
      "tbSpaceNum"};
  EXPECT_EQ(forward, expected);
  w.FocusNext(false);
  EXPECT_EQ(w.ActiveControl()->name, "cmbLanguage");
  EXPECT_FALSE(w.Control("lblAlignCol").enabled);
  EXPECT_FALSE(w.SetFocus("tbAlignCol"));
  w.Click("cbAlignEOL");
  w.FocusNext();
  EXPECT_EQ(w.ActiveControl()->name, "tbAlignCol");
  EXPECT_EQ(w.ActiveControl()->selLength, 2u);  // reached by Tab: its text is selected
}

TEST_F(OptionsWindow, CommandNineteenShowsTheWindowThroughTheHost) {
  int shown = 0;
  g.windowHost.showOptions = [&](frmOptions& w) {
    ++shown;
    EXPECT_TRUE(w.Visible());
    EXPECT_TRUE(w.Activated());
  };
  OpenModule(u"Sub A()\r\nEnd Sub");
  RunCommand(cmd::kSetUp);
  EXPECT_EQ(shown, 1);
  ASSERT_TRUE(g.optionsWindow);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(OptionsWindow, EqualsLabelSelectsTheCustomText) {
  settings.WriteSetting(u"txtCtrl1Target", u"' TODO:");
  frmOptions& w = Open();
  w.Click("labIs");
  const FormControl& box = w.Control("txtCtrl1Target");
  EXPECT_EQ(w.ActiveControl(), &box);
  EXPECT_EQ(box.selStart, 0u);
  EXPECT_EQ(box.selLength, 7u);
  w.Type(u"'x");
  EXPECT_EQ(Utf8(box.text), "'x");
}

TEST_F(OptionsWindow, ReopenedAfterSaveIsFreshAndKeepsTheConnectionLanguage) {
  frmOptions& first = Open();
  first.SetListIndex("cmbLanguage", 1);
  TypeInto("txtIndentMod", u"k");
  first.Click("cmdOK");
  frmOptions& second = Open();
  EXPECT_NE(&first, &second);
  EXPECT_EQ(Utf8(second.Caption()), "Set Up");  // the language changes at the next connection
  EXPECT_EQ(second.Control("cmbLanguage").listIndex, 1);
  EXPECT_EQ(Utf8(second.Control("txtIndentMod").text), "K");
}

}  // namespace
}  // namespace kv
