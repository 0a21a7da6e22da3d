// Opens each of the add-in's windows in English and in Chinese and drives it
// through window messages: it types into the boxes, clicks, presses keys,
// reads the controls back and checks them against the view models; it takes
// a screenshot of each window. Prints "N passed, M failed".
//
//   kestrova-uitest.exe SCREENSHOT_FOLDER   (a Unix path; "import" takes them)
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "options/ShowExample.h"
#include "options/frmOptions.h"
#include "options/modSettings.h"
#include "support/frmAbout.h"
#include "support/frmProgress.h"
#include "support/modGlobals.h"
#include "winui/FormWindow.h"
#include "winui/WinUi.h"

using namespace kv;
using kv::winui::WindowText;

namespace {

int passed = 0, failed = 0;
const char* context = "";
std::string shots;

void Check(bool ok, const char* what, int line) {
  if (ok) ++passed;
  else ++failed, std::printf("FAILED (%s) line %d: %s\n", context, line, what);
}
#define CHECK(c) Check((c), #c, __LINE__)

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&m), DispatchMessageW(&m);
}
void Key(WPARAM vk, UINT message = WM_KEYDOWN, LPARAM flags = 0) {
  PostMessageW(GetFocus(), message, vk, flags);
  Pump();
}
void Click(HWND h) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(h, WM_LBUTTONUP, 0, 0);
  Pump();
}
void Type(HWND box, const wchar_t* text) { SetWindowTextW(box, text), Pump(); }
void Paste(HWND box, const std::wstring& text) {
  SendMessageW(box, EM_SETSEL, 0, -1);
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  Pump();
}
bool Ticked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
RECT Rect(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
bool Inside(const RECT& in, const RECT& out) {
  return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}
std::vector<VbString> ListItems(HWND list) {
  std::vector<VbString> items;
  for (LRESULT i = 0, n = SendMessageW(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    item.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
    items.emplace_back(item.begin(), item.end());
  }
  return items;
}

// A screenshot of the whole screen by the X server's "import", which Wine
// starts as the Unix program it is.
void Shot(const std::string& name) {
  if (shots == "-") return;
  Pump();
  Sleep(400);
  Pump();
  std::string path = shots + "/" + name + ".png";
  std::wstring command = L"/usr/bin/import -window root " + std::wstring(path.begin(), path.end());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  if (started) WaitForSingleObject(pi.hProcess, 20000), CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
  std::error_code error;
  for (int i = 0; i < 100 && !std::filesystem::exists("Z:" + path, error); ++i) Sleep(100);
  Sleep(300);  // the file is complete once import has exited
  Check(std::filesystem::exists("Z:" + path, error), ("screenshot " + path).c_str(), __LINE__);
}

void OptionsWindowTest(std::int32_t language, const std::filesystem::path& folder) {
  UiFixture f(language, folder / "save.ini");
  auto ui = winui::InstallWindows(f.g());
  ShowOptionsWindow(f.g());
  Pump();
  HWND w = FindWindowW(winui::kOptionsClass, nullptr);
  CHECK(w != nullptr);
  if (!w) return;
  frmOptions& model = *f.g().optionsWindow;
  const auto& controls = model.Controls();
  auto child = [&](std::string_view name) { return GetDlgItem(w, winui::ControlId(controls, name)); };

  // A fixed, centred dialog outside the taskbar, without an owner, 10590 by
  // 8310 twips inside.
  CHECK(WindowText(w) == (language ? u"设置" : u"Set Up"));
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
  CHECK(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && (style & WS_SYSMENU));
  CHECK((exStyle & WS_EX_TOOLWINDOW) && !(exStyle & WS_EX_APPWINDOW) && !GetWindow(w, GW_OWNER));
  const winui::Scale scale = winui::Scale::OfScreen();
  RECT client, frame, work;
  GetClientRect(w, &client), GetWindowRect(w, &frame), SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CHECK(client.right == scale.X(10590) && client.bottom == scale.Y(8310));
  CHECK(std::abs(frame.left + frame.right - work.left - work.right) <= 1);
  CHECK(std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1);

  // Every control: the model's text, tick and enabled state, inside its
  // group and the window, and apart from the controls beside it.
  std::vector<std::pair<RECT, std::string_view>> placed;
  for (const FormControl& c : controls) {
    if (c.kind == ControlKind::Window) continue;
    HWND h = child(c.name);
    Check(h != nullptr, c.name.data(), __LINE__);
    if (!h) continue;
    if (c.kind != ControlKind::ListBox && c.kind != ControlKind::DropDownList) Check(WindowText(h) == c.text, c.name.data(), __LINE__);
    Check((IsWindowEnabled(h) != FALSE) == c.enabled && Ticked(h) == c.Ticked(), c.name.data(), __LINE__);
    RECT r = Rect(h);
    Check(Inside(r, c.container.empty() ? client : Rect(child(c.container))), c.name.data(), __LINE__);
    if (c.kind == ControlKind::GroupBox) continue;
    std::string overlaps = std::string(c.name) + " overlaps";
    for (const auto& [other, name] : placed)
      if (RECT both; IntersectRect(&both, &r, &other)) overlaps += " " + std::string(name);
    Check(overlaps.ends_with("overlaps"), overlaps.c_str(), __LINE__);
    placed.emplace_back(r, c.name);
  }
  CHECK(WindowText(child("cbIndentCase")) == (language ? u"在“Select Case”行内缩进" : u"Indent within \"Select Case\" lines"));
  RECT save = Rect(child("cmdOK")), cancel = Rect(child("cmdCancel"));
  CHECK(save.right <= cancel.left && save.top == cancel.top && client.right - cancel.right < scale.X(400));
  CHECK(client.bottom - cancel.bottom < scale.Y(400));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child("lbCodeExample"), WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK(std::wstring(font.lfFaceName) == L"Courier New");
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child("chkSave"), WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK((font.lfCharSet == GB2312_CHARSET) == (language != 0));

  // Tooltips where the window names them; "=" keeps its English one.
  struct Tips {
    HWND owner, found;
  } tips{w, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM p) {
        wchar_t name[32];
        auto* t = reinterpret_cast<Tips*>(p);
        if (GetWindow(h, GW_OWNER) == t->owner && GetClassNameW(h, name, 32) && !lstrcmpiW(name, TOOLTIPS_CLASSW)) t->found = h;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tips));
  for (std::string_view name : {"labIs", "txtIndentMod", "txtCtrl1Target"}) {
    wchar_t text[300] = L"";
    TOOLINFOW info{};
    info.cbSize = sizeof info, info.hwnd = w, info.uId = reinterpret_cast<UINT_PTR>(child(name)), info.lpszText = text;
    SendMessageW(tips.found, TTM_GETTEXTW, 300, reinterpret_cast<LPARAM>(&info));
    Check(winui::Wide(model.Control(name).toolTip) == text && text[0], name.data(), __LINE__);
    if (name == "labIs") CHECK(std::wstring(text) == L"Click choose all custom text.");
  }

  // Tab order: the model's, starting at the spaces box.
  HWND at = GetFocus();
  CHECK(at == child("tbSpaceNum"));
  for (const FormControl& c : controls) {
    if (!c.TakesFocus() || c.tabIndex <= model.Control("tbSpaceNum").tabIndex) continue;
    Key(VK_TAB);
    Check(GetFocus() == child(c.name), c.name.data(), __LINE__);
  }

  // The number boxes are corrected as the user types; the example follows.
  HWND spaces = child("tbSpaceNum"), column = child("tbAlignCol"), list = child("lbCodeExample");
  auto expected = [&] {
    ExampleOptions o{WindowText(spaces), WindowText(column), Ticked(child("cbIndentProc")), Ticked(child("cbIndentFirst")),
                     Ticked(child("cbIndentCmt")), Ticked(child("cbIndentCase")), Ticked(child("cbAlignEOL"))};
    ExampleText text = BuildExample(o);
    return std::vector<VbString>(text.begin(), text.end());
  };
  CHECK(ListItems(list) == expected());
  const struct {
    HWND box;
    const wchar_t* typed;
    VbStringView shown;
  } typing[] = {{spaces, L"12", u""}, {spaces, L"abc", u""}, {spaces, L"10", u"10"}, {spaces, L"-3", u"3"},
                {spaces, L"2.5", u"2"}, {column, L"101", u""}, {column, L"100", u"100"}, {column, L"07", u"7"}};
  for (const auto& t : typing) {
    Type(t.box, t.typed);
    CHECK(WindowText(t.box) == t.shown);
    CHECK(ListItems(list) == expected());
  }
  for (std::string_view box : {"cbIndentCase", "cbAlignEOL", "cbIndentProc", "cbAlignEOL"}) {
    SendMessageW(child(box), BM_CLICK, 0, 0);
    Pump();
    CHECK(ListItems(list) == expected());
    CHECK((IsWindowEnabled(column) != FALSE) == Ticked(child("cbAlignEOL")));
    CHECK((IsWindowEnabled(child("cbIndentFirst")) != FALSE) == Ticked(child("cbIndentProc")));
  }
  // Pasting 10,000 characters keeps each box's limit.
  Paste(column, std::wstring(10000, L'9'));
  CHECK(WindowText(column).size() <= 3);
  Paste(child("txtCtrl1Target"), std::wstring(10000, L'x'));
  CHECK(WindowText(child("txtCtrl1Target")).size() == 255);
  Paste(child("txtIndentMod"), L"k" + std::wstring(9999, L'y'));
  CHECK(WindowText(child("txtIndentMod")) == u"k");
  // "=" selects the whole custom text and puts the caret in its box.
  Click(child("labIs"));
  DWORD from = 1, to = 0;
  SendMessageW(child("txtCtrl1Target"), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  CHECK(GetFocus() == child("txtCtrl1Target") && from == 0 && to == 255);
  // The access key of "Indent &Module Hot-key" ticks it.
  const bool before = Ticked(child("chkIndentModHotKey"));
  Key('m', WM_SYSCHAR, 1 << 29);
  CHECK(Ticked(child("chkIndentModHotKey")) != before);
  SendMessageW(child("chkF1"), BM_CLICK, 0, 0);

  // A second Set Up brings the open window forward.
  ShowOptionsWindow(f.g());
  Pump();
  CHECK(FindWindowExW(nullptr, w, winui::kOptionsClass, nullptr) == nullptr && GetForegroundWindow() == w);
  Shot(language ? "options-zh" : "options-en");

  // Enter saves: every key written, the module letter upper-cased, the hot
  // keys registered again, and the example the store gives back is the one
  // the window showed.
  std::vector<VbString> shown = ListItems(list);
  SendMessageW(w, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(spaces), TRUE);
  Key(VK_RETURN);
  CHECK(!IsWindow(w) && model.Saved());
  for (const OptionKey& key : kOptionKeys) CHECK(f.store().HasSetting(key.key));
  CHECK(f.store().ReadSetting(u"txtIndentMod", u"") == u"K");
  CHECK(f.store().ReadSetting(u"IndentSpaces", u"") == u"2");
  const auto keys = f.HotKeys();
  CHECK(std::find(keys.begin(), keys.end(), VK_F1) != keys.end());
  frmOptions reopened(f.g());
  reopened.Form_Activate();
  CHECK(reopened.Control("lbCodeExample").items == shown);

  // Cancel, the close box and Esc write nothing.
  for (int way = 0; way < 3; ++way) {
    UiFixture fresh(language, folder / "cancel.ini");
    auto freshUi = winui::InstallWindows(fresh.g());
    ShowOptionsWindow(fresh.g());
    Pump();
    HWND again = FindWindowW(winui::kOptionsClass, nullptr);
    auto item = [&](std::string_view name) { return GetDlgItem(again, winui::ControlId(fresh.g().optionsWindow->Controls(), name)); };
    Type(item("tbSpaceNum"), L"7");
    SendMessageW(item("chkF2"), BM_CLICK, 0, 0);
    if (way == 0) SendMessageW(item("cmdCancel"), BM_CLICK, 0, 0);
    if (way == 1) SendMessageW(again, WM_CLOSE, 0, 0);
    if (way == 2) SendMessageW(again, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item("tbSpaceNum")), TRUE), Key(VK_ESCAPE);
    Pump();
    CHECK(!IsWindow(again));
    for (const OptionKey& key : kOptionKeys) CHECK(!fresh.store().HasSetting(key.key));
    CHECK(fresh.HotKeys().empty());
  }
}

void AboutWindowTest(std::int32_t language, const std::filesystem::path& folder) {
  UiFixture f(language, folder / "about.ini");
  auto ui = winui::InstallWindows(f.g());
  for (int way = 0; way < 2; ++way) {
    ShowAboutWindow(f.g());
    Pump();
    HWND w = FindWindowW(winui::kAboutClass, nullptr);
    CHECK(w != nullptr);
    if (!w) return;
    auto child = [&](std::string_view name) { return GetDlgItem(w, winui::ControlId(f.g().aboutWindow->Controls(), name)); };
    CHECK(WindowText(w) == (language ? u"关于Kestrova" : u"About Kestrovaer"));
    CHECK(WindowText(child("btnOK")) == (language ? u"好的" : u"Okay"));
    CHECK(WindowText(child("labTitle")) == u"Kestrova v2.8 ");
    CHECK(WindowText(child("lblURL")) == U(kHomePage));
    if (way == 0) {
      Click(child("lblURL"));
      CHECK(f.OpenedUrls() == std::vector<std::string>{std::string(kHomePage)} && IsWindow(w));
      Shot(language ? "about-zh" : "about-en");
      SendMessageW(child("btnOK"), BM_CLICK, 0, 0);
    } else {
      SendMessageW(w, WM_CLOSE, 0, 0);
    }
    Pump();
    CHECK(!IsWindow(w) && !f.g().aboutWindow->Loaded());
  }
}

void ProgressWindowTest(std::int32_t language, const std::filesystem::path& folder) {
  UiFixture f(language, folder / "progress.ini");
  auto ui = winui::InstallWindows(f.g());
  // A window of the host that needs painting while the command runs.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(host);
  Pump();
  InvalidateRect(host, nullptr, TRUE);
  s_ShowProgress(f.g(), 0, 200);
  ProgressWindow(f.g()).SetMessageText(language ? u"正在缩进模块 Module1" : u"Indenting Module1");
  ProgressWindow(f.g()).SetProgress(50);
  HWND w = FindWindowW(winui::kProgressClass, nullptr);
  CHECK(w != nullptr);
  if (!w) return;
  HWND message = GetWindow(w, GW_CHILD), bar = GetWindow(message, GW_HWNDNEXT), percent = GetWindow(bar, GW_HWNDNEXT);
  CHECK(WindowText(w) == u"Progress");
  CHECK(WindowText(message) == (language ? u"正在缩进模块 Module1" : u"Indenting Module1"));
  CHECK(WindowText(percent) == u"25%" && SendMessageW(bar, PBM_GETPOS, 0, 0) == 250);
  CHECK(!GetUpdateRect(host, nullptr, FALSE));  // painted by the window's own pump
  CHECK(GetForegroundWindow() == host);         // shown without taking the activation
  Shot(language ? "progress-zh" : "progress-en");
  UnloadProgress(f.g());
  CHECK(!IsWindow(w));
  DestroyWindow(host);
}

}  // namespace

int main(int argc, char** argv) {
  // Sees the screen's true DPI, so that a run at another DPI tests the scaling.
  SetProcessDPIAware();
  shots = argc > 1 ? argv[1] : "-";
  std::printf("kestrova-uitest at %d DPI\n", winui::Scale::OfScreen().dpiY);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrova-uitest";
  std::filesystem::create_directories(folder);
  for (std::int32_t language : {0, 1}) {
    context = language ? "Chinese" : "English";
    OptionsWindowTest(language, folder);
    AboutWindowTest(language, folder);
    ProgressWindowTest(language, folder);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
