// The generic Win32 form: creation from a layout table, fonts, colours, and
// showing a view model's state in the controls.
#include "winui/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "winui/WinUi.h"

namespace kv::winui {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

namespace {

constexpr BYTE kChineseCharset = GB2312_CHARSET;

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

HFONT PointFont(const wchar_t* face, double points, const Scale& scale, bool bold, bool underline, BYTE charset,
                BYTE family = FF_DONTCARE) {
  LOGFONTW font{};
  font.lfPitchAndFamily = family;
  font.lfHeight = -static_cast<LONG>(points * scale.dpiY / 72.0 + 0.5);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline;
  font.lfCharSet = charset;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

// "Courier New 8.25pt" -> the face and the size; a name without a size is 9
// points; "serif" is the serif type face of the system.
HFONT NamedFont(std::string_view name, const Scale& scale) {
  // Where the face is missing the family still asks the mapper for a serif.
  if (name == "serif") return PointFont(L"Times New Roman", 15, scale, true, false, DEFAULT_CHARSET, FF_ROMAN);
  double points = 9;
  std::string_view face = name;
  if (std::size_t space = name.rfind(' '); space != std::string_view::npos && name.ends_with("pt")) {
    points = std::stod(std::string(name.substr(space + 1, name.size() - space - 3)));
    face = name.substr(0, space);
  }
  return PointFont(std::wstring(face.begin(), face.end()).c_str(), points, scale, false, false, DEFAULT_CHARSET);
}

}  // namespace

Scale Scale::OfScreen() {
  Scale scale;
  HDC dc = GetDC(nullptr);
  scale.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  scale.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return scale;
}

std::wstring Wide(VbStringView text) { return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size()); }

VbString WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return VbString(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

std::vector<VbString> ListItems(HWND list) {
  wchar_t name[16] = L"";
  GetClassNameW(list, name, 16);
  const bool combo = lstrcmpiW(name, L"COMBOBOX") == 0;
  std::vector<VbString> items;
  const LRESULT count = SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(
        SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.emplace_back(item.begin(), item.end());
  }
  return items;
}

HFONT CreateUiFont(bool chinese, const Scale& scale) {
  if (chinese) {
    const wchar_t* face = FontInstalled(L"Microsoft YaHei UI") ? L"Microsoft YaHei UI" : L"SimSun";
    return PointFont(face, 9, scale, false, false, kChineseCharset);
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return CreateFontIndirectW(&metrics.lfMessageFont);
  return PointFont(L"MS Shell Dlg 2", 8, scale, false, false, DEFAULT_CHARSET);
}

HFONT CreatePointFont(const wchar_t* face, double points, const Scale& scale, bool bold, bool underline) {
  return PointFont(face, points, scale, bold, underline, DEFAULT_CHARSET);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool RegisterFormClass(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW known{};
  known.cbSize = sizeof known;
  if (GetClassInfoExW(ThisModule(), name, &known)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = DLGWINDOWEXTRA;  // the window behaves as a dialog
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

int ControlId(const std::vector<FormControl>& controls, std::string_view name) {
  if (name == "cmdOK" || name == "btnOK") return IDOK;
  if (name == "cmdCancel") return IDCANCEL;
  for (std::size_t i = 0; i < controls.size(); ++i)
    if (controls[i].name == name) return 1000 + static_cast<int>(i);
  return 0;
}

FormWindow::FormWindow(const std::vector<FormControl>& controls, bool chinese)
    : controls_(controls), chinese_(chinese), scale_(Scale::OfScreen()) {}

FormWindow::~FormWindow() {
  Destroy();
  for (HFONT font : fonts_) DeleteObject(font);
  if (black_) DeleteObject(black_);
}

HWND FormWindow::Child(std::string_view name) const {
  for (std::size_t i = 0; i < controls_.size() && i < children_.size(); ++i)
    if (controls_[i].name == name) return children_[i];
  return nullptr;
}

void FormWindow::BringForward() {
  if (!window_) return;
  ShowWindow(window_, SW_SHOWNORMAL);
  BringWindowToTop(window_);
  SetForegroundWindow(window_);
}

void FormWindow::Destroy() {
  if (window_) DestroyWindow(window_);
}

HFONT FormWindow::FontFor(const FormControl& c) {
  if (c.font.empty()) return fonts_[0];
  fonts_.push_back(NamedFont(c.font, scale_));
  return fonts_.back();
}

void FormWindow::AddToolTip(HWND child, const VbString& text) {
  std::wstring tip = Wide(text);
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = window_;
  info.uId = reinterpret_cast<UINT_PTR>(child);
  info.lpszText = tip.data();
  SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void FormWindow::Create(const wchar_t* className, std::span<const Place> places, int clientWidth, int clientHeight) {
  fonts_.push_back(CreateUiFont(chinese_, scale_));
  black_ = CreateSolidBrush(RGB(0, 0, 0));
  // A fixed dialog: no sizing border, no minimize or maximize box, and as a
  // tool window it stays out of the taskbar although it has no owner.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, scale_.X(clientWidth), scale_.Y(clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;
  CreateWindowExW(exStyle, className, Wide(controls_[0].text).c_str(), style, x, y, width, height, nullptr, nullptr,
                  ThisModule(), this);
  if (!window_) return;
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[0]), FALSE);
  toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, ThisModule(), nullptr);

  children_.assign(controls_.size(), nullptr);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const FormControl& c = controls_[i];
    auto place = std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.name == c.name; });
    if (c.kind == ControlKind::Window || place == places.end()) continue;
    const wchar_t* cls = L"BUTTON";
    DWORD s = WS_CHILD | WS_VISIBLE;
    DWORD ex = 0;
    int h = scale_.Y(place->height);
    const DWORD stop = WS_TABSTOP | WS_GROUP;
    switch (c.kind) {
      case ControlKind::GroupBox: s |= BS_GROUPBOX; break;
      case ControlKind::ListBox:
        cls = L"LISTBOX";
        s |= WS_VSCROLL | LBS_NOSEL | LBS_NOINTEGRALHEIGHT;
        ex = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::Label:
        cls = L"STATIC";
        s |= SS_NOTIFY | SS_CENTERIMAGE | (c.centred ? SS_CENTER : SS_LEFT);
        break;
      case ControlKind::TextBox:
        cls = L"EDIT";
        s |= stop | ES_AUTOHSCROLL | (c.centred ? ES_CENTER : ES_LEFT);
        if (c.multiLine) s |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
        ex = WS_EX_CLIENTEDGE;
        break;
      case ControlKind::CheckBox: s |= stop | BS_AUTOCHECKBOX; break;
      case ControlKind::DropDownList:
        cls = L"COMBOBOX";
        s |= stop | CBS_DROPDOWNLIST | WS_VSCROLL;
        h *= 6;  // room for the open list
        break;
      case ControlKind::Button:
        s |= stop | (ControlId(controls_, c.name) == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
      case ControlKind::Window: break;
    }
    const int id = ControlId(controls_, c.name);
    HWND child = CreateWindowExW(ex, cls, Wide(c.text).c_str(), s, scale_.X(place->x), scale_.Y(place->y),
                                 scale_.X(place->width), h, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ThisModule(), nullptr);
    children_[i] = child;
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c)), FALSE);
    if (c.kind == ControlKind::TextBox && c.maxLength > 0) SendMessageW(child, EM_LIMITTEXT, c.maxLength, 0);
    if (!c.toolTip.empty()) AddToolTip(child, c.toolTip);
  }
  Sync();
}

void FormWindow::MakeLink(std::string_view name) {
  HWND child = Child(name);
  if (!child) return;
  LOGFONTW font{};
  GetObjectW(fonts_[0], sizeof font, &font);
  font.lfUnderline = TRUE;
  fonts_.push_back(CreateFontIndirectW(&font));
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.back()), FALSE);
  links_.push_back(child);
}

void FormWindow::Sync() {
  if (!window_) return;
  syncing_ = true;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const FormControl& c = controls_[i];
    HWND h = c.kind == ControlKind::Window ? window_ : children_[i];
    if (!h) continue;
    if (c.kind == ControlKind::ListBox || c.kind == ControlKind::DropDownList) {
      const bool list = c.kind == ControlKind::ListBox;
      if (ListItems(h) != c.items) {
        SendMessageW(h, WM_SETREDRAW, FALSE, 0);
        SendMessageW(h, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
        for (const VbString& item : c.items)
          SendMessageW(h, list ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
        SendMessageW(h, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(h, nullptr, TRUE);
      }
      if (!list && SendMessageW(h, CB_GETCURSEL, 0, 0) != c.listIndex) SendMessageW(h, CB_SETCURSEL, c.listIndex, 0);
    } else if (WindowText(h) != c.text) {
      SetWindowTextW(h, Wide(c.text).c_str());
      if (c.kind == ControlKind::TextBox)
        SendMessageW(h, EM_SETSEL, c.selStart, static_cast<LPARAM>(c.selStart + c.selLength));
    }
    if (c.kind == ControlKind::CheckBox && SendMessageW(h, BM_GETCHECK, 0, 0) != (c.Ticked() ? BST_CHECKED : BST_UNCHECKED))
      SendMessageW(h, BM_SETCHECK, c.Ticked() ? BST_CHECKED : BST_UNCHECKED, 0);
    if (c.kind != ControlKind::Window && (IsWindowEnabled(h) != FALSE) != c.enabled) EnableWindow(h, c.enabled);
  }
  syncing_ = false;
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefDlgProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = window_;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].kind == ControlKind::Window || ControlId(controls_, controls_[i].name) != id) continue;
        if (!syncing_) Command(i, HIWORD(wParam));
        return 0;
      }
      if (id == IDCANCEL) CloseRequested();
      return 0;
    }
    case WM_CLOSE: CloseRequested(); return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CTLCOLORLISTBOX: {
      auto it = std::find(children_.begin(), children_.end(), reinterpret_cast<HWND>(lParam));
      if (it == children_.end() || !controls_[static_cast<std::size_t>(it - children_.begin())].whiteOnBlack) break;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(255, 255, 255));
      SetBkColor(dc, RGB(0, 0, 0));
      return reinterpret_cast<LRESULT>(black_);
    }
    case WM_CTLCOLORSTATIC:
      if (std::find(links_.begin(), links_.end(), reinterpret_cast<HWND>(lParam)) == links_.end()) break;
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 238));
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
    case WM_SETCURSOR:
      if (std::find(links_.begin(), links_.end(), reinterpret_cast<HWND>(wParam)) == links_.end()) break;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    case WM_DESTROY: Destroyed(); break;
    case WM_NCDESTROY: {
      LRESULT result = DefDlgProcW(window, message, wParam, lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      toolTips_ = nullptr;
      children_.clear();
      links_.clear();
      return result;
    }
    default: break;
  }
  return DefDlgProcW(window, message, wParam, lParam);
}

}  // namespace kv::winui
