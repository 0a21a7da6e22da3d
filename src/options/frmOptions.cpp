// The options window: its controls, the loading of the options on the first
// showing, the correction of the two number boxes while the user types, Save
// and Cancel. The live example it shows is built in ShowExample.cpp.
#include "options/frmOptions.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "host/VbError.h"
#include "host/frmHotKey.h"
#include "options/modSettings.h"
#include "support/modGlobals.h"

namespace kv {

const std::array<OptionKey, 21> kOptionKeys = {{
    {u"IndentSpaces", "tbSpaceNum", u"4"},
    {u"IndentProc", "cbIndentProc", u"Y"},
    {u"IndentFirst", "cbIndentFirst", u"Y"},
    {u"IndentCmt", "cbIndentCmt", u"Y"},
    {u"IndentCase", "cbIndentCase", u"Y"},
    {u"AlignEOL", "cbAlignEOL", u"Y"},
    {u"AlignEOLCol", "tbAlignCol", u"55"},
    {u"Language", "cmbLanguage", u"0"},
    {u"chkSave", "chkSave", u"N"},
    {u"chkF1", "chkF1", u"N"},
    {u"chkF2", "chkF2", u"N"},
    {u"chkIndentModHotKey", "chkIndentModHotKey", u"N"},
    {u"txtIndentMod", "txtIndentMod", u"M"},
    {u"chkCtrl1", "chkCtrl1", u"N"},
    {u"txtCtrl1", "txtCtrl1", u"I"},
    {u"txtCtrl1Target", "txtCtrl1Target", u"'"},
    {u"chkFold", "chkFold", u"N"},
    {u"chkUnfold", "chkUnfold", u"N"},
    {u"chkUnfoldAll", "chkUnfoldAll", u"N"},
    {u"LineNumberStart", "tbLineStart", u"10"},
    {u"LineNumberStep", "tbLineStep", u"10"},
}};

const OptionKey* FindOptionKey(VbStringView key) {
  for (const OptionKey& k : kOptionKeys)
    if (EqualsNoCase(k.key, key)) return &k;
  return nullptr;
}

namespace {

constexpr VbStringView kLanguageEntries[] = {u"English", u"简体中文"};
constexpr VbStringView kModuleLetter = u"M";

// Cuts a text to at most `limit` UTF-16 units without splitting a surrogate
// pair.
VbString Cut(VbStringView text, std::size_t limit) {
  if (text.size() <= limit) return VbString(text);
  std::size_t n = limit;
  if (n > 0 && IsHighSurrogate(text[n - 1])) --n;
  return VbString(text.substr(0, n));
}

// Every line end of the text (CR LF, a lone LF or a lone CR) as CR LF.
VbString WithCrLf(VbStringView text) {
  VbString out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      out += u"\r\n";
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A letter in upper case, as VB's UCase gives it beyond ASCII too: Latin-1,
// Latin Extended-A, Greek, Cyrillic and the full-width Latin letters.
char16_t UpperLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F) ||
      (c >= 0xFF41 && c <= 0xFF5A))
    return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  if (((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) && c % 2 == 1) return c - 1;
  if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 0) return c - 1;
  return c;
}

// The design of the window, in tab order after the window itself.
std::vector<FormControl> DesignControls() {
  struct Row {
    std::string_view name;
    ControlKind kind;
    std::string_view container;
    VbStringView english;
    VbStringView chinese;
  };
  using K = ControlKind;
  const Row rows[] = {
      {"frmOptions", K::Window, "", u"Set Up", u"设置"},
      {"Frame1", K::GroupBox, "", u"&Indent Options", u"缩进选项"},
      {"lbCodeExample", K::ListBox, "Frame1", u"", u""},
      {"lblUse", K::Label, "Frame1", u"Use", u"用"},
      {"tbSpaceNum", K::TextBox, "Frame1", u"4", u""},
      {"spa", K::Label, "Frame1", u"spaces", u"个空格"},
      {"cbIndentProc", K::CheckBox, "Frame1", u"Indent everything within a procedure", u"缩进过程中的所有内容"},
      {"cbAlignEOL", K::CheckBox, "Frame1", u"Align end-of-line comments", u"对齐行末注释"},
      {"lblAlignCol", K::Label, "Frame1", u"In column:", u"在列中："},
      {"tbAlignCol", K::TextBox, "Frame1", u"40", u""},
      {"cbIndentFirst", K::CheckBox, "Frame1", u"Indent first comment block in procedure", u"缩进过程中的第一个注释块"},
      {"cbIndentCmt", K::CheckBox, "Frame1", u"Indent comments to align with code", u"缩进注释以与代码对齐"},
      {"cbIndentCase", K::CheckBox, "Frame1", u"Indent within \"Select Case\" lines", u"在“Select Case”行内缩进"},
      {"Frame2", K::GroupBox, "", u"&Other Opthins (^ = Ctrl)", u"其它选项 (^ = Ctrl)"},
      {"chkCtrl1", K::CheckBox, "Frame2", u"Hot-key: Ctrl+", u"热键：Ctrl+"},
      {"txtCtrl1", K::TextBox, "Frame2", u"I", u""},
      {"labIs", K::Label, "Frame2", u"=", u""},
      {"chkSave", K::CheckBox, "Frame2", u"&Save to vb6code.txt before operation", u"操作前保存到vb6code.txt"},
      {"chkF1", K::CheckBox, "Frame2", u"&Hot-key: F1 = Shift + F8 in VB6 IDE", u"热键: F1 = Shift + F8 在VB6IDE中"},
      {"chkF2", K::CheckBox, "Frame2", u"Hot-&key: F2 = Ctrl + Shift + F8 in VB6 IDE",
       u"热键：F2 = Ctrl + Shift + F8 在VB6IDE中"},
      {"txtIndentMod", K::TextBox, "Frame2", u"M", u""},
      {"chkIndentModHotKey", K::CheckBox, "Frame2", u"Indent &Module Hot-key: Ctrl +", u"缩进模块热键（&M）：Ctrl+"},
      {"chkFold", K::CheckBox, "Frame2", u"Hot-key:^-(Numpad) Fold Current Procedure", u"热键：^-（数字键盘）折叠当前程序"},
      {"chkUnfold", K::CheckBox, "Frame2", u"Hot-key:^+(Numpad) Unfold Current Procedure",
       u"热键：^+（数字键盘）展开当前过程"},
      {"txtCtrl1Target", K::TextBox, "Frame2", u"'", u""},
      {"chkUnfoldAll", K::CheckBox, "Frame2", u"Hot-key:^*(Numpad) Unfold All (Current module)",
       u"热键：^*（数字键盘）全部展开（当前模块）"},
      {"lblLineStart", K::Label, "Frame2", u"Line numbers from", u"行号起始"},
      {"tbLineStart", K::TextBox, "Frame2", u"10", u""},
      {"lblLineStep", K::Label, "Frame2", u"step", u"步长"},
      {"tbLineStep", K::TextBox, "Frame2", u"10", u""},
      {"cmdOK", K::Button, "", u"Save", u"保存"},
      {"cmdCancel", K::Button, "", u"Cancel", u"取消"},
      {"Frame3", K::GroupBox, "Frame1", u"Language", u"语言"},
      {"cmbLanguage", K::DropDownList, "Frame3", u"", u""},
  };
  std::vector<FormControl> controls;
  int tab = -1;  // the window itself has no place in the tab order
  for (const Row& row : rows) {
    FormControl c;
    c.name = row.name;
    c.kind = row.kind;
    c.container = row.container;
    c.tabIndex = tab++;
    c.designText = row.english;
    c.chineseText = row.chinese;
    c.text = row.english;
    c.selStart = c.text.size();
    controls.push_back(std::move(c));
  }
  auto find = [&](std::string_view name) -> FormControl& {
    return *std::find_if(controls.begin(), controls.end(), [&](const FormControl& c) { return c.name == name; });
  };
  FormControl& list = find("lbCodeExample");
  list.font = "Courier New 8.25pt";
  list.whiteOnBlack = true;
  for (std::string_view name : {"tbSpaceNum", "tbAlignCol", "txtCtrl1", "txtIndentMod", "tbLineStart", "tbLineStep"}) {
    find(name).centred = true;
  }
  find("tbAlignCol").maxLength = 3;
  find("tbLineStart").maxLength = 5;
  find("tbLineStep").maxLength = 5;
  find("txtCtrl1").maxLength = 1;
  find("txtIndentMod").maxLength = 1;
  FormControl& custom = find("txtCtrl1Target");
  custom.maxLength = frmOptions::kCustomTextLimit;
  custom.multiLine = true;
  custom.designToolTip = u"Max 255 bytes for custom text.";
  custom.chineseToolTip = u"自定义文本的最大值为255字节。";
  find("labIs").designToolTip = u"Click choose all custom text.";
  find("txtIndentMod").designToolTip = u"Max 1 byte";
  for (FormControl& c : controls) c.toolTip = c.designToolTip;
  return controls;
}

}  // namespace

VbString CorrectNumberText(VbStringView text, int limit) {
  std::optional<std::int64_t> number = DecimalTextValue(text);
  if (!number) return {};
  const std::int64_t value = *number < 0 ? -*number : *number;
  if (value > INT16_MAX || value > limit) return {};
  return ToVb(value);
}

frmOptions::frmOptions(Globals& g) : g_(g), controls_(DesignControls()) {}

const FormControl& frmOptions::Control(std::string_view name) const {
  for (const FormControl& c : controls_)
    if (c.name == name) return c;
  throw std::out_of_range("frmOptions has no control " + std::string(name));
}

FormControl& frmOptions::Mutable(std::string_view name) { return const_cast<FormControl&>(Control(name)); }

// ---- The window ----

void frmOptions::Show() {
  if (!loaded_) return;
  visible_ = true;
  Form_Activate();
  if (focus_.empty()) FocusNext();
  if (g_.windowHost.showOptions) g_.windowHost.showOptions(*this);
}

void frmOptions::Unload() {
  visible_ = false;
  loaded_ = false;
  focus_ = {};
}

// ---- Properties ----

void frmOptions::SetText(std::string_view name, VbStringView text) {
  FormControl& c = Mutable(name);
  if (c.text == text) return;
  c.text = VbString(text);
  c.selStart = c.text.size();
  c.selLength = 0;
  RaiseChange(c);
}

void frmOptions::SetValue(std::string_view name, int value) {
  FormControl& c = Mutable(name);
  if (c.value == value) return;
  c.value = value;
  RaiseClick(c);
}

void frmOptions::SetListIndex(std::string_view name, int index) {
  FormControl& c = Mutable(name);
  c.listIndex = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : -1;
}

void frmOptions::SetSelection(std::string_view name, std::size_t start, std::size_t length) {
  FormControl& c = Mutable(name);
  c.selStart = std::min(start, c.text.size());
  c.selLength = std::min(length, c.text.size() - c.selStart);
}

void frmOptions::RaiseChange(const FormControl& control) {
  if (control.name == "tbSpaceNum") tbSpaceNum_Change();
  else if (control.name == "tbAlignCol") tbAlignCol_Change();
  else if (control.name == "tbLineStart" || control.name == "tbLineStep") LineNumberBox_Change(control.name);
}

void frmOptions::RaiseClick(const FormControl& control) {
  if (control.name == "cbIndentProc") cbIndentProc_Click();
  else if (control.name == "cbIndentFirst") cbIndentFirst_Click();
  else if (control.name == "cbIndentCmt") cbIndentCmt_Click();
  else if (control.name == "cbIndentCase") cbIndentCase_Click();
  else if (control.name == "cbAlignEOL") cbAlignEOL_Click();
}

// ---- The user's input ----

const FormControl* frmOptions::ActiveControl() const {
  if (focus_.empty()) return nullptr;
  return &Control(focus_);
}

bool frmOptions::SetFocus(std::string_view name) {
  const FormControl& c = Control(name);
  if (!loaded_ || !c.TakesFocus()) return false;
  focus_ = c.name;
  return true;
}

void frmOptions::FocusNext(bool forward) {
  if (!loaded_) return;
  const int count = static_cast<int>(controls_.size());
  int at = 0;
  for (int i = 0; i < count; ++i)
    if (!focus_.empty() && controls_[i].name == focus_) at = i;
  if (focus_.empty() && !forward) at = 0;
  else if (focus_.empty()) at = count - 1;  // so that the first step lands on the first stop
  // Tab order is the order of the controls; the window itself is entry 0.
  for (int step = 1; step <= count; ++step) {
    int i = ((at + (forward ? step : -step)) % count + count) % count;
    FormControl& c = controls_[i];
    if (!c.TakesFocus()) continue;
    focus_ = c.name;
    if (c.kind == ControlKind::TextBox && !c.multiLine) {
      c.selStart = 0;
      c.selLength = c.text.size();
    }
    return;
  }
}

void frmOptions::ReplaceSelection(FormControl& box, VbStringView given) {
  // A single-line box takes the first line; a multi-line box ends each line
  // in CR LF, as the IDE's code does, whatever the pasted text used.
  VbString insert = box.multiLine ? WithCrLf(given)
                                  : VbString(given.substr(0, std::min(given.find(u'\r'), given.find(u'\n'))));
  const std::size_t kept = box.text.size() - box.selLength;
  const std::size_t room = box.maxLength == 0 ? insert.size() : box.maxLength - std::min(box.maxLength, kept);
  VbString part = Cut(insert, room);
  VbString next = box.text.substr(0, box.selStart) + part + box.text.substr(box.selStart + box.selLength);
  const std::size_t caret = box.selStart + part.size();
  box.selStart = caret;
  box.selLength = 0;
  if (next == box.text) return;
  box.text = std::move(next);
  RaiseChange(box);
}

void frmOptions::Type(VbStringView text) {
  if (!loaded_ || focus_.empty()) return;
  FormControl& c = Mutable(focus_);
  if (c.kind != ControlKind::TextBox || !c.enabled) return;
  ReplaceSelection(c, text);
}

void frmOptions::Backspace() {
  if (!loaded_ || focus_.empty()) return;
  FormControl& c = Mutable(focus_);
  if (c.kind != ControlKind::TextBox || !c.enabled) return;
  if (c.selLength == 0) {
    if (c.selStart == 0) return;
    // A surrogate pair and a line end (CR LF) go as one character.
    VbStringView before = VbStringView(c.text).substr(c.selStart - std::min<std::size_t>(2, c.selStart));
    std::size_t n = (before.size() == 2 && (IsLowSurrogate(before[1]) || before == u"\r\n")) ? 2 : 1;
    c.selStart -= n;
    c.selLength = n;
  }
  ReplaceSelection(c, u"");
}

void frmOptions::DeleteForward() {
  if (!loaded_ || focus_.empty()) return;
  FormControl& c = Mutable(focus_);
  if (c.kind != ControlKind::TextBox || !c.enabled) return;
  if (c.selLength == 0) {
    if (c.selStart >= c.text.size()) return;
    VbStringView after = VbStringView(c.text).substr(c.selStart, 2);
    c.selLength = (after.size() == 2 && (IsLowSurrogate(after[1]) || after == u"\r\n")) ? 2 : 1;
  }
  ReplaceSelection(c, u"");
}

void frmOptions::Click(std::string_view name) {
  const FormControl& c = Control(name);
  if (!loaded_ || !c.enabled) return;
  if (c.TakesFocus()) SetFocus(name);
  switch (c.kind) {
    case ControlKind::CheckBox: SetValue(name, c.Ticked() ? 0 : 1); break;
    case ControlKind::Button:
      if (name == "cmdOK") cmdOK_Click();
      else if (name == "cmdCancel") cmdCancel_Click();
      break;
    case ControlKind::Label:
      if (name == "labIs") labIs_Click();
      break;
    default: break;
  }
}

// ---- The window's events ----

void frmOptions::Form_Activate() {
  // Only the first showing loads: reloading whenever the window becomes
  // active again would throw away the user's unsaved edits.
  if (activated_) return;
  activated_ = true;

  if (g_.IsChinese()) {
    for (FormControl& c : controls_) {
      if (!c.chineseText.empty()) c.text = c.chineseText;
      if (!c.chineseToolTip.empty()) c.toolTip = c.chineseToolTip;
    }
  }

  FormControl& language = Mutable("cmbLanguage");
  language.items.assign(std::begin(kLanguageEntries), std::end(kLanguageEntries));
  language.listIndex = -1;

  auto read = [&](VbStringView key) {
    return g_.settings.ReadSetting(key, FindOptionKey(key)->windowDefault);
  };
  auto readFlag = [&](VbStringView key) { return IsFlagOn(read(key)) ? 1 : 0; };

  SetText("tbSpaceNum", read(u"IndentSpaces"));
  SetValue("cbIndentProc", readFlag(u"IndentProc"));
  SetValue("cbIndentFirst", readFlag(u"IndentFirst"));
  SetValue("cbIndentCmt", readFlag(u"IndentCmt"));
  SetValue("cbIndentCase", readFlag(u"IndentCase"));
  SetValue("cbAlignEOL", readFlag(u"AlignEOL"));
  SetText("tbAlignCol", read(u"AlignEOLCol"));
  // A hand-edited language that is neither "0" nor "1" shows as the language
  // the add-in itself would take from it.
  SetListIndex("cmbLanguage", LanguageFromSetting(read(u"Language")) == 0 ? 0 : 1);

  s_ShowExample();

  SetValue("chkSave", readFlag(u"chkSave"));
  SetValue("chkF1", readFlag(u"chkF1"));
  SetValue("chkF2", readFlag(u"chkF2"));
  SetValue("chkIndentModHotKey", readFlag(u"chkIndentModHotKey"));
  VbString letter = read(u"txtIndentMod");
  SetText("txtIndentMod", letter.size() == 1 ? VbStringView(letter) : kModuleLetter);
  SetValue("chkCtrl1", readFlag(u"chkCtrl1"));
  SetText("txtCtrl1", read(u"txtCtrl1"));
  SetText("txtCtrl1Target", read(u"txtCtrl1Target"));
  SetValue("chkFold", readFlag(u"chkFold"));
  SetValue("chkUnfold", readFlag(u"chkUnfold"));
  SetValue("chkUnfoldAll", readFlag(u"chkUnfoldAll"));
  SetText("tbLineStart", read(u"LineNumberStart"));
  SetText("tbLineStep", read(u"LineNumberStep"));

  Mutable("tbAlignCol").enabled = Control("cbAlignEOL").Ticked();
}

void frmOptions::CorrectNumberBox(std::string_view name, int limit) {
  const FormControl& box = Control(name);
  // A replacement changes the text again, which runs this correction once
  // more on the corrected text; that leaves it as it is.
  if (!box.text.empty()) SetText(name, CorrectNumberText(box.text, limit));
  s_ShowExample();
}

void frmOptions::tbSpaceNum_Change() { CorrectNumberBox("tbSpaceNum", kSpacesLimit); }
void frmOptions::tbAlignCol_Change() { CorrectNumberBox("tbAlignCol", kColumnLimit); }
// The line numbers' start and step are kept within 1 to kLineNumberLimit.
void frmOptions::LineNumberBox_Change(std::string_view name) {
  const std::string box(name);
  const FormControl& c = Control(box);
  if (c.text.empty()) return;
  VbString corrected = CorrectNumberText(c.text, kLineNumberLimit);
  if (corrected == u"0") corrected = u"1";
  SetText(box, corrected);
}
void frmOptions::cbIndentProc_Click() { s_ShowExample(); }
void frmOptions::cbIndentFirst_Click() { s_ShowExample(); }
void frmOptions::cbIndentCmt_Click() { s_ShowExample(); }
void frmOptions::cbIndentCase_Click() { s_ShowExample(); }
void frmOptions::cbAlignEOL_Click() { s_ShowExample(); }

void frmOptions::labIs_Click() {
  SetSelection("txtCtrl1Target", 0, Control("txtCtrl1Target").text.size());
  SetFocus("txtCtrl1Target");
}

void frmOptions::cmdOK_Click() {
  try {
    for (const OptionKey& key : kOptionKeys) {
      if (key.key == u"chkSave") {
        // The module letter is put right in its box before the other
        // options are written.
        SetText("txtIndentMod", SaveText(*FindOptionKey(u"txtIndentMod")));
      }
      g_.settings.WriteSetting(key.key, SaveText(key));
    }
  } catch (const VbError& error) {
    // The store refused a write: keep the window and the user's edits so
    // that nothing is lost, and say why.
    g_.Message(error.Description());
    return;
  }
  saved_ = true;
  try {
    HotKeyWindow(g_).s_chkHotKey();
  } catch (const VbError& error) {
    // The options are stored; only the hot keys could not follow them.
    g_.Message(error.Description());
  }
  Unload();
}

void frmOptions::cmdCancel_Click() { Unload(); }

// ---- Values per key ----

VbString frmOptions::SaveText(const OptionKey& key) const {
  const FormControl& c = Control(key.control);
  switch (c.kind) {
    case ControlKind::CheckBox: return c.Ticked() ? u"Y" : u"N";
    case ControlKind::DropDownList: return ToVb(std::max(c.listIndex, 0));
    default: break;
  }
  if (key.control == "txtIndentMod")
    return c.text.size() == 1 ? VbString(1, UpperLetter(c.text[0])) : VbString(kModuleLetter);
  if (key.control == "txtCtrl1Target") return Cut(c.text, kCustomTextLimit);
  return c.text;
}

VbString frmOptions::ShownText(const OptionKey& key) const {
  const FormControl& c = Control(key.control);
  switch (c.kind) {
    case ControlKind::CheckBox: return c.Ticked() ? u"Y" : u"N";
    case ControlKind::DropDownList:
      return c.listIndex >= 0 && c.listIndex < static_cast<int>(c.items.size()) ? c.items[c.listIndex] : VbString();
    default: return c.text;
  }
}

std::optional<VbString> frmOptions::EnterValue(const OptionKey& key, VbStringView value) {
  FormControl& c = Mutable(key.control);
  switch (c.kind) {
    case ControlKind::CheckBox:
      if (EqualsNoCase(value, u"Y")) SetValue(c.name, 1);
      else if (EqualsNoCase(value, u"N")) SetValue(c.name, 0);
      else return std::nullopt;
      break;
    case ControlKind::DropDownList: {
      c.items.assign(std::begin(kLanguageEntries), std::end(kLanguageEntries));
      int index = -1;
      for (int i = 0; i < static_cast<int>(c.items.size()); ++i)
        if (value == ToVb(i) || EqualsNoCase(value, c.items[i])) index = i;
      if (index < 0) return std::nullopt;
      SetListIndex(c.name, index);
      break;
    }
    case ControlKind::TextBox:
      // A paste over the whole text, as the user would enter it.
      c.selStart = 0;
      c.selLength = c.text.size();
      ReplaceSelection(c, value);
      break;
    default: return std::nullopt;
  }
  return SaveText(key);
}

void ShowOptionsWindow(Globals& g) {
  if (!g.optionsWindow || !g.optionsWindow->Loaded()) g.optionsWindow = std::make_unique<frmOptions>(g);
  g.optionsWindow->Show();
}

}  // namespace kv
