// The options window on the terminal: layout, drawing and keys.
#include "cli/OptionsScreen.h"

#include <algorithm>
#include <string>

#include "options/frmOptions.h"
#include "support/FormControl.h"

namespace kv::cli::tui {

namespace {

constexpr int kTickWidth = 4;         // "[x] "
constexpr int kSpacesBoxWidth = 6;    // "[ 10 ]"
constexpr int kColumnBoxWidth = 7;    // "[ 100 ]"
constexpr int kLetterBoxWidth = 5;    // "[ M ]"
constexpr int kLanguageWidth = 16;    // "< 简体中文 >" with room
constexpr int kGroupTop = 1;          // the group box of the page, under the title
constexpr int kNeedLines = 24;
// The lines of the page above the example: the spaces line and four options
// on the left, the language group, aligned comments and their column on the
// right.
constexpr int kIndentRows = 5;
constexpr int kNumberBoxWidth = 9;    // "[ 10000 ]"

int Width(const frmOptions& w, std::string_view name) {
  return DisplayWidth(StripAccessKey(w.Control(name).text));
}

int TickWidth(const frmOptions& w, std::string_view name) { return kTickWidth + Width(w, name); }

// Splits a text box's text into its lines: start index and length of each.
std::vector<std::pair<std::size_t, std::size_t>> TextLines(VbStringView text) {
  std::vector<std::pair<std::size_t, std::size_t>> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(u"\r\n", start);
    if (end == VbStringView::npos) {
      lines.emplace_back(start, text.size() - start);
      return lines;
    }
    lines.emplace_back(start, end - start);
    start = end + 2;
  }
}

std::size_t LineOf(const std::vector<std::pair<std::size_t, std::size_t>>& lines, std::size_t index) {
  std::size_t line = 0;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (index >= lines[i].first) line = i;
  return line;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The next caret position to the left or right, keeping pairs and CR LF whole.
std::size_t Step(VbStringView text, std::size_t at, bool right) {
  if (right) {
    if (at >= text.size()) return at;
    if (text.substr(at, 2) == u"\r\n" || (IsHighSurrogate(text[at]) && at + 1 < text.size())) return at + 2;
    return at + 1;
  }
  if (at == 0) return 0;
  if (at >= 2 && (text.substr(at - 2, 2) == u"\r\n" || IsLowSurrogate(text[at - 1]))) return at - 2;
  return at - 1;
}

void MoveCaret(frmOptions& w, const FormControl& box, const Key& key) {
  const VbString& text = box.text;
  std::size_t caret = box.selStart + box.selLength;
  if (key.code == keys::Left()) caret = box.selLength ? box.selStart : Step(text, box.selStart, false);
  else if (key.code == keys::Right()) caret = box.selLength ? caret : Step(text, box.selStart, true);
  else if (key.code == keys::Home() || key.code == keys::End()) {
    auto lines = TextLines(text);
    auto [start, length] = lines[LineOf(lines, box.selStart)];
    caret = key.code == keys::Home() ? start : start + length;
  } else if (key.code == keys::Up() || key.code == keys::Down()) {
    auto lines = TextLines(text);
    std::size_t line = LineOf(lines, box.selStart);
    std::size_t column = box.selStart - lines[line].first;
    if (key.code == keys::Up() && line > 0) --line;
    else if (key.code == keys::Down() && line + 1 < lines.size()) ++line;
    caret = lines[line].first + std::min(column, lines[line].second);
  }
  w.SetSelection(box.name, caret, 0);
}

void ChooseEntry(frmOptions& w, const FormControl& list, int step) {
  int count = static_cast<int>(list.items.size());
  if (count == 0) return;
  int index = std::clamp(list.listIndex + step, 0, count - 1);
  w.SetListIndex(list.name, index);
}

// ---- Drawing ----

VbStringView Help(bool chinese) {
  if (chinese) return u"Tab：移动  空格：勾选/按下  Alt+字母：跳转  PgUp/PgDn：滚动示例  Esc：取消";
  return u"Tab: move  Space: tick/press  Alt+letter: jump  PgUp/PgDn: example  Esc: cancel";
}

void DrawSingleLineBox(Screen& s, const FormControl& c, const Rect& r, bool focused) {
  const int inner = r.width - 2;
  unsigned attr = c.enabled ? kNormal : kDim;
  s.Put(r.y, r.x, u"[", attr);
  s.Put(r.y, r.x + r.width - 1, u"]", attr);
  s.Fill(r.y, r.x + 1, inner, kUnderline | attr);
  // Show the caret's part of a text longer than the box.
  std::size_t from = 0;
  while (DisplayWidth(VbStringView(c.text).substr(from, c.selStart - std::min(from, c.selStart))) > inner - 1 &&
         from < c.selStart)
    ++from;
  VbStringView shown = VbStringView(c.text).substr(from);
  int offset = 0;
  if (c.centred && DisplayWidth(shown) < inner) offset = (inner - DisplayWidth(shown)) / 2;
  const std::size_t selStart = std::max(c.selStart, from) - from;
  const std::size_t selEnd = std::max(c.selStart + c.selLength, from) - from;
  int x = r.x + 1 + offset;
  int limit = inner - offset;
  auto put = [&](VbStringView part, unsigned extra) {
    int at = s.Put(r.y, x, part, kUnderline | attr | extra, limit);
    limit -= at - x;
    x = at;
  };
  put(shown.substr(0, std::min(selStart, shown.size())), kNormal);
  put(shown.substr(std::min(selStart, shown.size()), selEnd - selStart), kReverse);
  put(shown.substr(std::min(selEnd, shown.size())), kNormal);
  if (focused) s.Cursor(r.y, r.x + 1 + offset + DisplayWidth(shown.substr(0, std::min(selStart, shown.size()))));
}

void DrawMultiLineBox(Screen& s, const FormControl& c, const Rect& r, bool focused) {
  s.Box(r.y, r.x, r.height, r.width);
  const int innerHeight = r.height - 2;
  const int innerWidth = r.width - 2;
  auto lines = TextLines(c.text);
  const std::size_t caretLine = LineOf(lines, c.selStart);
  const std::size_t top = caretLine >= static_cast<std::size_t>(innerHeight) ? caretLine - innerHeight + 1 : 0;
  const auto [caretStart, caretLength] = lines[caretLine];
  int caretColumn = DisplayWidth(VbStringView(c.text).substr(caretStart, c.selStart - caretStart));
  const int shift = std::max(0, caretColumn - innerWidth + 1);
  const std::size_t selEnd = c.selStart + c.selLength;
  for (int row = 0; row < innerHeight && top + row < lines.size(); ++row) {
    auto [start, length] = lines[top + row];
    const int y = r.y + 1 + row;
    // Draw the line character by character so the selection and the
    // horizontal shift apply per character.
    int column = 0;
    int x = r.x + 1;
    for (std::size_t i = start; i < start + length; i = Step(c.text, i, true)) {
      std::size_t next = std::min(Step(c.text, i, true), start + length);
      VbStringView ch = VbStringView(c.text).substr(i, next - i);
      int w = DisplayWidth(ch);
      if (column >= shift) {
        if (x + w > r.x + 1 + innerWidth) break;
        x = s.Put(y, x, ch, (i >= c.selStart && i < selEnd) ? kReverse : kNormal);
      }
      column += w;
    }
  }
  (void)caretLength;
  if (focused) s.Cursor(r.y + 1 + static_cast<int>(caretLine - top), r.x + 1 + caretColumn - shift);
}

void DrawControl(Screen& s, const FormControl& c, const Rect& r, bool focused, int scroll) {
  const unsigned enabled = c.enabled ? kNormal : kDim;
  switch (c.kind) {
    case ControlKind::Window: {
      s.Fill(r.y, r.x, r.width, kReverse);
      int width = DisplayWidth(c.text) + 2;
      s.Put(r.y, r.x + std::max(0, (r.width - width) / 2), u" " + c.text + u" ", kReverse | kBold);
      break;
    }
    case ControlKind::GroupBox: s.Box(r.y, r.x, r.height, r.width, c.text); break;
    case ControlKind::ListBox: {
      s.Box(r.y, r.x, r.height, r.width);
      for (int row = 0; row < r.height - 2; ++row) {
        s.Fill(r.y + 1 + row, r.x + 1, r.width - 2, kWhiteOnBlack);
        if (row + scroll < static_cast<int>(c.items.size()))
          s.Put(r.y + 1 + row, r.x + 1, c.items[row + scroll], kWhiteOnBlack, r.width - 2);
      }
      break;
    }
    case ControlKind::Label: s.PutCaption(r.y, r.x, c.text, enabled, r.width); break;
    case ControlKind::TextBox:
      if (c.multiLine) DrawMultiLineBox(s, c, r, focused);
      else DrawSingleLineBox(s, c, r, focused);
      break;
    case ControlKind::CheckBox: {
      s.Put(r.y, r.x, c.Ticked() ? u"[x]" : u"[ ]", enabled);
      s.PutCaption(r.y, r.x + kTickWidth, c.text, enabled | (focused ? kReverse : kNormal), r.width - kTickWidth);
      if (focused) s.Cursor(r.y, r.x + 1);
      break;
    }
    case ControlKind::DropDownList: {
      VbString entry = (c.listIndex >= 0 && c.listIndex < static_cast<int>(c.items.size())) ? c.items[c.listIndex]
                                                                                          : VbString();
      unsigned attr = enabled | (focused ? kReverse : kNormal);
      s.Fill(r.y, r.x, r.width, attr);
      s.Put(r.y, r.x, u"< " + entry, attr, r.width - 2);
      s.Put(r.y, r.x + r.width - 1, u">", attr);
      if (focused) s.Cursor(r.y, r.x + 2);
      break;
    }
    case ControlKind::Button: {
      s.Put(r.y, r.x, u"[ " + StripAccessKey(c.text) + u" ]", enabled | (focused ? kReverse | kBold : kNormal));
      if (focused) s.Cursor(r.y, r.x + 2);
      break;
    }
  }
}

void DrawTooSmall(Screen& s, const OptionsLayout& layout, bool chinese) {
  s.Clear();
  std::vector<VbString> lines = TooSmallNotice(layout, s.Columns(), s.Lines(), chinese);
  for (std::size_t i = 0; i < lines.size(); ++i) s.Put(static_cast<int>(i), 0, lines[i]);
  s.Refresh();
}

// The page tabs in the top edge of the group box, the shown page's
// highlighted.
void DrawTabs(Screen& s, const frmOptions& w, const OptionsLayout& layout) {
  const char* frames[] = {"Frame1", "Frame2"};
  for (int page : {kIndentPage, kOtherPage}) {
    const Rect& r = layout.tabs[page];
    unsigned attr = page == layout.page ? kReverse | kBold : kNormal;
    int at = s.Put(r.y, r.x, u" ", attr);
    at = s.PutCaption(r.y, at, w.Control(frames[page]).text, attr);
    s.Put(r.y, at, u" ", attr);
  }
}

}  // namespace

const Rect* OptionsLayout::Of(std::string_view name) const {
  for (const auto& [n, r] : places)
    if (n == name) return &r;
  return nullptr;
}

std::string_view OptionsLayout::At(int y, int x) const {
  std::string_view found;
  for (const auto& [name, r] : places) {
    if (!r.Contains(y, x)) continue;
    // Group boxes and the window enclose others: the innermost wins, which
    // is the one placed last.
    found = name;
  }
  return found;
}

int PageOf(const frmOptions& w, std::string_view name) {
  for (std::string_view at = name; !at.empty(); at = w.Control(at).container) {
    if (at == "Frame1") return kIndentPage;
    if (at == "Frame2") return kOtherPage;
  }
  return -1;
}

OptionsLayout LayoutOptions(const frmOptions& w, int columns, int lines, int page) {
  OptionsLayout layout;
  layout.page = page;
  // The indentation page: two columns over the example.
  int left = Width(w, "lblUse") + 1 + kSpacesBoxWidth + 1 + Width(w, "spa");
  for (std::string_view name : {"cbIndentProc", "cbIndentFirst", "cbIndentCmt", "cbIndentCase"})
    left = std::max(left, TickWidth(w, name));
  const int right = std::max({TickWidth(w, "cbAlignEOL"), kTickWidth + Width(w, "lblAlignCol") + 1 + kColumnBoxWidth,
                              Width(w, "Frame3") + 6, kLanguageWidth + 4});
  // The other page: the options one under another, the custom text below.
  int other = TickWidth(w, "chkIndentModHotKey") + 1 + kLetterBoxWidth;
  for (std::string_view name : {"chkSave", "chkF1", "chkF2", "chkFold", "chkUnfold", "chkUnfoldAll"})
    other = std::max(other, TickWidth(w, name));
  other = std::max(other, TickWidth(w, "chkCtrl1") + 1 + kLetterBoxWidth + 2);
  other = std::max(other, std::max(Width(w, "lblLineStart"), Width(w, "lblLineStep")) + 1 + kNumberBoxWidth);
  const int tabs = 2 + Width(w, "Frame1") + 2 + 1 + Width(w, "Frame2") + 2 + 2;
  const int cancelWidth = Width(w, "cmdCancel") + 4;
  const int okWidth = Width(w, "cmdOK") + 4;

  layout.needColumns = std::max({2 + left + 3 + right + 2, 2 + other + 2, tabs, DisplayWidth(Help(false)),
                                 DisplayWidth(Help(true)), okWidth + cancelWidth + 4});
  layout.needLines = kNeedLines;
  layout.fits = columns >= layout.needColumns && lines >= layout.needLines;
  const int W = std::max(columns, layout.needColumns);
  const int H = std::max(lines, layout.needLines);
  const int buttonLine = H - 2;
  layout.helpLine = H - 1;
  const int groupHeight = buttonLine - kGroupTop;  // down to the line above the buttons
  const int bottom = kGroupTop + groupHeight - 1;   // the group box's lower edge

  auto place = [&](std::string_view name, int y, int x, int height, int width) {
    layout.places.emplace_back(name, Rect{y, x, height, width});
  };
  place("frmOptions", 0, 0, 1, W);
  layout.tabs[kIndentPage] = {kGroupTop, 2, 1, Width(w, "Frame1") + 2};
  layout.tabs[kOtherPage] = {kGroupTop, 2 + Width(w, "Frame1") + 3, 1, Width(w, "Frame2") + 2};

  int y = kGroupTop + 1;
  if (page == kIndentPage) {
    place("Frame1", kGroupTop, 0, groupHeight, W);
    const int x0 = 2;
    const int xr = x0 + left + 3;
    place("lblUse", y, x0, 1, Width(w, "lblUse"));
    place("tbSpaceNum", y, x0 + Width(w, "lblUse") + 1, 1, kSpacesBoxWidth);
    place("spa", y, x0 + Width(w, "lblUse") + 1 + kSpacesBoxWidth + 1, 1, Width(w, "spa"));
    place("cbIndentProc", y + 1, x0, 1, TickWidth(w, "cbIndentProc"));
    place("cbIndentFirst", y + 2, x0, 1, TickWidth(w, "cbIndentFirst"));
    place("cbIndentCmt", y + 3, x0, 1, TickWidth(w, "cbIndentCmt"));
    place("cbIndentCase", y + 4, x0, 1, TickWidth(w, "cbIndentCase"));
    place("Frame3", y, xr, 3, right);
    place("cmbLanguage", y + 1, xr + 2, 1, right - 4);
    place("cbAlignEOL", y + 3, xr, 1, TickWidth(w, "cbAlignEOL"));
    place("lblAlignCol", y + 4, xr + kTickWidth, 1, Width(w, "lblAlignCol"));
    place("tbAlignCol", y + 4, xr + kTickWidth + Width(w, "lblAlignCol") + 1, 1, kColumnBoxWidth);
    const int listTop = y + kIndentRows;
    place("lbCodeExample", listTop, 2, bottom - listTop, W - 4);
  } else {
    place("Frame2", kGroupTop, 0, groupHeight, W);
    for (std::string_view name :
         {"chkSave", "chkF1", "chkF2", "chkIndentModHotKey", "chkFold", "chkUnfold", "chkUnfoldAll"}) {
      place(name, y, 2, 1, TickWidth(w, name));
      if (name == "chkIndentModHotKey") place("txtIndentMod", y, 2 + TickWidth(w, name) + 1, 1, kLetterBoxWidth);
      ++y;
    }
    ++y;
    place("chkCtrl1", y, 2, 1, TickWidth(w, "chkCtrl1"));
    place("txtCtrl1", y, 2 + TickWidth(w, "chkCtrl1") + 1, 1, kLetterBoxWidth);
    place("labIs", y, 2 + TickWidth(w, "chkCtrl1") + 1 + kLetterBoxWidth + 1, 1, 1);
    ++y;
    place("txtCtrl1Target", y, 2, bottom - 2 - y, W - 4);
    // The line numbers' start and step, one under the other below it.
    y = bottom - 2;
    const int lineLabels = std::max(Width(w, "lblLineStart"), Width(w, "lblLineStep"));
    for (auto [label, box] : {std::pair{"lblLineStart", "tbLineStart"}, {"lblLineStep", "tbLineStep"}}) {
      place(label, y, 2, 1, Width(w, label));
      place(box, y++, 2 + lineLabels + 1, 1, kNumberBoxWidth);
    }
  }

  place("cmdCancel", buttonLine, W - 2 - cancelWidth, 1, cancelWidth);
  place("cmdOK", buttonLine, W - 2 - cancelWidth - 2 - okWidth, 1, okWidth);
  layout.toolTip = {buttonLine, 1, 1, W - 2 - cancelWidth - 2 - okWidth - 3};
  return layout;
}

bool PressAccessKey(frmOptions& w, char32_t letter) {
  auto lower = [](char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; };
  const std::vector<FormControl>& controls = w.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const FormControl& c = controls[i];
    std::size_t at = VbString::npos;
    VbString shown = StripAccessKey(c.text, &at);
    if (at == VbString::npos || lower(shown[at]) != lower(letter) || !c.enabled) continue;
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::Button) {
      w.Click(c.name);
    } else if (!w.SetFocus(c.name)) {
      // A group box or a label: the next control that takes the focus.
      for (std::size_t j = i + 1; j < controls.size(); ++j)
        if (w.SetFocus(controls[j].name)) break;
    }
    return true;
  }
  return false;
}

std::vector<VbString> TooSmallNotice(const OptionsLayout& layout, int columns, int lines, bool chinese) {
  const VbString size = ToVb(layout.needColumns) + u"×" + ToVb(layout.needLines);
  const VbString now = ToVb(columns) + u"×" + ToVb(lines);
  const VbString text = chinese ? u"终端太小：需要 " + size + u"，现在 " + now + u"。请放大终端，或按 Esc 取消。"
                                : u"The terminal is too small: the options need " + size + u", it is " + now +
                                      u". Enlarge it, or press Esc to cancel.";
  // Wrap at the last blank that fits; a run without blanks (Chinese) breaks
  // where the columns end.
  std::vector<VbString> out;
  VbStringView rest = text;
  const int width = std::max(columns, 1);
  while (!rest.empty()) {
    std::size_t n = 0;
    int used = 0;
    std::size_t lastBlank = VbString::npos;
    while (n < rest.size()) {
      std::size_t step = IsHighSurrogate(rest[n]) && n + 1 < rest.size() ? 2 : 1;
      int w = DisplayWidth(rest.substr(n, step));
      if (used + w > width) break;
      if (rest[n] == u' ') lastBlank = n;
      used += w;
      n += step;
    }
    if (n < rest.size() && lastBlank != VbString::npos && lastBlank > 0) n = lastBlank;
    if (n == 0) n = 1;
    out.emplace_back(RTrimView(rest.substr(0, n)));
    rest = LTrimView(rest.substr(n));
  }
  return out;
}

void HandleOptionsKey(frmOptions& w, const Key& key) {
  if (key.alt) {
    PressAccessKey(w, key.code);
    return;
  }
  const FormControl* active = w.ActiveControl();
  if (!key.function && (key.code == kEscape || key.code == kCtrlC)) {
    w.Click("cmdCancel");
    return;
  }
  if ((!key.function && key.code == keys::Tab()) || (key.function && key.code == keys::BackTab())) {
    w.FocusNext(!key.function);
    return;
  }
  if (!active) return;
  const ControlKind kind = active->kind;

  if (IsEnter(key)) {
    if (kind == ControlKind::Button) w.Click(active->name);
    else if (kind == ControlKind::TextBox && active->multiLine) w.Type(u"\r\n");
    return;
  }
  if (IsBackspace(key)) {
    w.Backspace();
    return;
  }
  if (key.function) {
    const std::uint32_t k = key.code;
    if (k == keys::Delete()) {
      w.DeleteForward();
    } else if (kind == ControlKind::TextBox &&
               (k == keys::Left() || k == keys::Right() || k == keys::Home() || k == keys::End() ||
                (active->multiLine && (k == keys::Up() || k == keys::Down())))) {
      MoveCaret(w, *active, key);
    } else if (kind == ControlKind::DropDownList && (k == keys::Left() || k == keys::Up())) {
      ChooseEntry(w, *active, -1);
    } else if (kind == ControlKind::DropDownList && (k == keys::Right() || k == keys::Down())) {
      ChooseEntry(w, *active, +1);
    } else if (k == keys::Up() || k == keys::Down()) {
      w.FocusNext(k == keys::Down());
    }
    return;
  }
  if (key.code == u' ' && (kind == ControlKind::CheckBox || kind == ControlKind::Button)) {
    w.Click(active->name);
    return;
  }
  if (key.code < 0x20 || key.code == 0x7F || kind != ControlKind::TextBox) return;
  VbString typed;
  if (key.code >= 0x10000) {
    char32_t c = key.code - 0x10000;
    typed = {static_cast<char16_t>(0xD800 + (c >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
  } else {
    typed = VbString(1, static_cast<char16_t>(key.code));
  }
  w.Type(typed);
}

void ShowMessage(Screen& s, VbStringView text) {
  const int width = std::min(s.Columns() - 4, std::max(DisplayWidth(text) + 4, 24));
  const int x = std::max(0, (s.Columns() - width) / 2);
  const int y = std::max(0, s.Lines() / 2 - 3);
  for (int row = 0; row < 5; ++row) s.Fill(y + row, x, width);
  s.Box(y, x, 5, width, u"Kestrovaer");
  s.Put(y + 1, x + 2, text, kNormal, width - 4);
  s.Put(y + 3, x + (width - 6) / 2, u"[ OK ]", kReverse | kBold);
  s.Cursor(y + 3, x + (width - 6) / 2 + 2);
  s.Refresh();
  for (;;) {
    Key key = s.Read();
    if (IsEnter(key) || (!key.function && (key.code == u' ' || key.code == kEscape || key.code == kCtrlC))) return;
  }
}

void RunOptionsScreen(frmOptions& w, Screen& s, std::vector<VbString>& messages, bool chinese) {
  int page = kIndentPage;
  int scroll = 0;
  while (w.Visible()) {
    if (const FormControl* active = w.ActiveControl(); active && PageOf(w, active->name) >= 0)
      page = PageOf(w, active->name);
    OptionsLayout layout = LayoutOptions(w, s.Columns(), s.Lines(), page);
    const Rect* list = layout.Of("lbCodeExample");
    const int rows = list ? list->height - 2 : 0;
    const int most = std::max(0, static_cast<int>(w.Control("lbCodeExample").items.size()) - rows);
    scroll = std::clamp(scroll, 0, most);
    if (!layout.fits) {
      DrawTooSmall(s, layout, chinese);
    } else {
      s.Clear();
      const FormControl* active = w.ActiveControl();
      for (const FormControl& c : w.Controls()) {
        if (c.name == "Frame1" || c.name == "Frame2") continue;  // drawn as the page and its tab
        if (const Rect* r = layout.Of(c.name)) DrawControl(s, c, *r, active == &c, scroll);
      }
      const Rect& group = *layout.Of(page == kIndentPage ? "Frame1" : "Frame2");
      s.Box(group.y, group.x, group.height, group.width);
      DrawTabs(s, w, layout);
      if (list && most > 0) {
        // Where the example stands, on its lower edge.
        VbString where = u" " + ToVb(scroll + 1) + u"-" + ToVb(scroll + rows) + u"/" +
                         ToVb(static_cast<int>(w.Control("lbCodeExample").items.size())) + u" ";
        s.Put(list->y + list->height - 1, list->x + list->width - 2 - DisplayWidth(where), where);
      }
      if (active && !active->toolTip.empty())
        s.Put(layout.toolTip.y, layout.toolTip.x, active->toolTip, kDim, layout.toolTip.width);
      s.Put(layout.helpLine, 0, Help(chinese), kDim);
      s.Refresh();
    }
    Key key = s.Read();
    if (key.function && key.code == keys::Resize()) continue;
    if (!layout.fits) {
      if (!key.function && !key.alt && (key.code == kEscape || key.code == kCtrlC)) w.Click("cmdCancel");
      continue;
    }
    if (key.function && (key.code == keys::PageUp() || key.code == keys::PageDown())) {
      scroll += key.code == keys::PageDown() ? std::max(1, rows - 1) : -std::max(1, rows - 1);
      continue;
    }
    if (key.function && key.code == keys::Mouse()) {
      const int y = s.ClickY();
      const int x = s.ClickX();
      bool onTab = false;
      for (int p : {kIndentPage, kOtherPage}) {
        if (!layout.tabs[p].Contains(y, x)) continue;
        onTab = true;
        for (const FormControl& c : w.Controls())
          if (PageOf(w, c.name) == p && w.SetFocus(c.name)) break;
      }
      if (onTab) continue;
      std::string_view name = layout.At(y, x);
      if (name.empty()) continue;
      const FormControl& c = w.Control(name);
      if (c.kind == ControlKind::TextBox) {
        if (w.SetFocus(name)) w.SetSelection(name, c.text.size(), 0);
      } else if (c.kind == ControlKind::DropDownList) {
        if (w.SetFocus(name)) w.SetListIndex(name, (c.listIndex + 1) % std::max<int>(1, c.items.size()));
      } else {
        w.Click(name);
      }
    } else {
      HandleOptionsKey(w, key);
    }
    while (!messages.empty()) {
      VbString text = std::move(messages.front());
      messages.erase(messages.begin());
      ShowMessage(s, text);
    }
  }
}

}  // namespace kv::cli::tui
