// Opens each of the add-in's windows in English and in Chinese and drives it
// through window messages: it types into the boxes, clicks, presses keys,
// reads the controls back and checks them against the view models, and takes
// a screenshot of each window. Prints "N passed, M failed".
//
//   kestrova-uitest.exe SCREENSHOT_FOLDER   (a Unix path, or - for none)
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
using winui::ListItems;
using winui::WindowText;

namespace {

int passed = 0, failed = 0;
const char* language = "";
std::string shots;

void Check(bool ok, std::string_view what, int line) {
  ok ? ++passed : ++failed;
  if (!ok) std::printf("FAILED (%s) line %d: %.*s\n", language, line, static_cast<int>(what.size()), what.data());
}
#define CHECK(c) Check((c), #c, __LINE__)

void Pump() {
  for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&m), DispatchMessageW(&m);
}
void Key(WPARAM vk, UINT message = WM_KEYDOWN, LPARAM flags = 0) { PostMessageW(GetFocus(), message, vk, flags), Pump(); }
void Send(HWND h, UINT message, WPARAM w = 0, LPARAM l = 0) { SendMessageW(h, message, w, l), Pump(); }
void Click(HWND h) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, 0), Send(h, WM_LBUTTONUP); }
void Focus(HWND h) { Send(GetAncestor(h, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(h), TRUE); }
void Type(HWND box, const wchar_t* text) { SetWindowTextW(box, text), Pump(); }
void Paste(HWND box, const std::wstring& text) {
  SendMessageW(box, EM_SETSEL, 0, -1), Send(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}
bool Ticked(HWND h) { return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }
RECT Rect(HWND h) {
  RECT r;
  GetWindowRect(h, &r), MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
bool Inside(const RECT& in, const RECT& out) {
  RECT both;
  return IntersectRect(&both, &in, &out) && EqualRect(&both, &in);
}
std::wstring ToolTip(HWND tips, HWND dialog, HWND tool) {
  wchar_t text[300] = L"";
  TOOLINFOW info{};
  info.cbSize = sizeof info, info.hwnd = dialog, info.uId = reinterpret_cast<UINT_PTR>(tool), info.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 300, reinterpret_cast<LPARAM>(&info));
  return text;
}

// A screenshot of the screen by the X server's "import", which Wine starts
// as the Unix program it is.
void Shot(const std::string& name) {
  if (shots == "-") return;
  Pump(), Sleep(400), Pump();
  std::string path = shots + "/" + name + ".png";
  std::wstring command = L"/usr/bin/import -window root " + std::wstring(path.begin(), path.end());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    WaitForSingleObject(pi.hProcess, 20000), CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
  std::error_code error;
  for (int i = 0; i < 100 && !std::filesystem::exists("Z:" + path, error); ++i) Sleep(100);
  Sleep(300);
  Check(std::filesystem::exists("Z:" + path, error), path, __LINE__);
}

void OptionsWindowTest(bool chinese, const std::filesystem::path& folder) {
  UiFixture f(chinese, folder / "save.ini");
  auto ui = winui::InstallWindows(f.g);
  ShowOptionsWindow(f.g);
  Pump();
  HWND w = FindWindowW(winui::kOptionsClass, nullptr);
  CHECK(w != nullptr);
  if (!w) return;
  frmOptions& model = *f.g.optionsWindow;
  auto child = [&](std::string_view name) { return GetDlgItem(w, winui::ControlId(model.Controls(), name)); };

  // A fixed, centred dialog outside the taskbar, without an owner, 10590 by
  // 8310 twips inside.
  CHECK(WindowText(w) == (chinese ? u"设置" : u"Set Up"));
  const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
  CHECK(!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) && (style & WS_SYSMENU));
  CHECK((exStyle & WS_EX_TOOLWINDOW) && !(exStyle & WS_EX_APPWINDOW) && !GetWindow(w, GW_OWNER));
  const winui::Scale scale = winui::Scale::OfScreen();
  RECT client, frame, work;
  GetClientRect(w, &client), GetWindowRect(w, &frame), SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CHECK(client.right == scale.X(10590) && client.bottom == scale.Y(8310));
  CHECK(std::abs(frame.left + frame.right - work.left - work.right) <= 1);
  CHECK(std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1);

  // Every control shows the model's text, tick and enabled state, stands
  // inside its group and apart from the others; tooltips where named.
  std::vector<std::pair<RECT, std::string_view>> placed;
  HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  while (tips && GetWindow(tips, GW_OWNER) != w) tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
  for (const FormControl& c : model.Controls()) {
    HWND h = child(c.name);
    if (c.kind == ControlKind::Window || !h) {
      Check(c.kind == ControlKind::Window, c.name, __LINE__);
      continue;
    }
    const bool list = c.kind == ControlKind::ListBox || c.kind == ControlKind::DropDownList;
    Check((list ? ListItems(h) == c.items : WindowText(h) == c.text) && ToolTip(tips, w, h) == winui::Wide(c.toolTip) &&
              (IsWindowEnabled(h) != FALSE) == c.enabled && Ticked(h) == c.Ticked(),
          c.name, __LINE__);
    RECT r = Rect(h), both;
    Check(Inside(r, c.container.empty() ? client : Rect(child(c.container))), c.name, __LINE__);
    if (c.kind == ControlKind::GroupBox) continue;
    for (const auto& [other, name] : placed)
      if (IntersectRect(&both, &r, &other)) Check(false, std::string(c.name) + " overlaps " + std::string(name), __LINE__);
    placed.emplace_back(r, c.name);
  }
  RECT save = Rect(child("cmdOK")), cancel = Rect(child("cmdCancel"));
  CHECK(save.right <= cancel.left && save.top == cancel.top && client.right - cancel.right < scale.X(400));
  CHECK(client.bottom - cancel.bottom < scale.Y(400));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child("lbCodeExample"), WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK(std::wstring(font.lfFaceName) == L"Courier New");
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child("chkSave"), WM_GETFONT, 0, 0)), sizeof font, &font);
  CHECK((font.lfCharSet == GB2312_CHARSET) == chinese);

  // Tab goes through the model's tab order from the spaces box.
  CHECK(GetFocus() == child("tbSpaceNum"));
  for (const FormControl& c : model.Controls())
    if (c.TakesFocus() && c.tabIndex > model.Control("tbSpaceNum").tabIndex) Key(VK_TAB), Check(GetFocus() == child(c.name), c.name, __LINE__);

  // The number boxes are corrected as the user types; the example follows
  // every change.
  HWND spaces = child("tbSpaceNum"), column = child("tbAlignCol"), list = child("lbCodeExample");
  auto expected = [&] {
    ExampleText text = BuildExample({WindowText(spaces), WindowText(column), Ticked(child("cbIndentProc")),
                                     Ticked(child("cbIndentFirst")), Ticked(child("cbIndentCmt")),
                                     Ticked(child("cbIndentCase")), Ticked(child("cbAlignEOL"))});
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
    CHECK(WindowText(t.box) == t.shown && ListItems(list) == expected());
  }
  for (std::string_view box : {"cbIndentCase", "cbAlignEOL", "cbIndentProc", "cbAlignEOL"}) {
    Send(child(box), BM_CLICK);
    CHECK(ListItems(list) == expected());
    CHECK((IsWindowEnabled(column) != FALSE) == Ticked(child("cbAlignEOL")));
    CHECK((IsWindowEnabled(child("cbIndentFirst")) != FALSE) == Ticked(child("cbIndentProc")));
  }
  // Pasting 10,000 characters keeps each box's limit.
  Paste(column, std::wstring(10000, L'9'));
  Paste(child("txtCtrl1Target"), std::wstring(10000, L'x'));
  Paste(child("txtIndentMod"), L"k" + std::wstring(9999, L'y'));
  CHECK(WindowText(column).size() <= 3 && WindowText(child("txtCtrl1Target")).size() == 255);
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
  Send(child("chkF1"), BM_CLICK);

  // A second Set Up brings the open window forward.
  ShowOptionsWindow(f.g);
  Pump();
  CHECK(FindWindowExW(nullptr, w, winui::kOptionsClass, nullptr) == nullptr && GetForegroundWindow() == w);
  Shot(chinese ? "options-zh" : "options-en");

  // Enter saves: every key written, the module letter upper-cased, the hot
  // keys registered again, and the example of the stored options is the one
  // the window showed.
  std::vector<VbString> shown = ListItems(list);
  Focus(spaces), Key(VK_RETURN);
  CHECK(!IsWindow(w) && model.Saved());
  CHECK(std::all_of(kOptionKeys.begin(), kOptionKeys.end(), [&](const OptionKey& k) { return f.store.HasSetting(k.key); }));
  CHECK(f.store.ReadSetting(u"txtIndentMod", u"") == u"K" && f.store.ReadSetting(u"IndentSpaces", u"") == u"2");
  const auto keys = f.HotKeys();
  CHECK(std::find(keys.begin(), keys.end(), VK_F1) != keys.end());
  frmOptions reopened(f.g);
  reopened.Form_Activate();
  CHECK(reopened.Control("lbCodeExample").items == shown);

  // Cancel, the close box and Esc write nothing.
  for (int way = 0; way < 3; ++way) {
    UiFixture fresh(chinese, folder / "cancel.ini");
    auto freshUi = winui::InstallWindows(fresh.g);
    ShowOptionsWindow(fresh.g);
    HWND again = FindWindowW(winui::kOptionsClass, nullptr);
    auto item = [&](std::string_view name) { return GetDlgItem(again, winui::ControlId(fresh.g.optionsWindow->Controls(), name)); };
    Type(item("tbSpaceNum"), L"7");
    Send(item("chkF2"), BM_CLICK);
    if (way == 0) Send(item("cmdCancel"), BM_CLICK);
    if (way == 1) Send(again, WM_CLOSE);
    if (way == 2) Focus(item("tbSpaceNum")), Key(VK_ESCAPE);
    CHECK(!IsWindow(again) && fresh.HotKeys().empty());
    CHECK(std::none_of(kOptionKeys.begin(), kOptionKeys.end(), [&](const OptionKey& k) { return fresh.store.HasSetting(k.key); }));
  }
}

void AboutWindowTest(bool chinese, const std::filesystem::path& folder) {
  UiFixture f(chinese, folder / "about.ini");
  auto ui = winui::InstallWindows(f.g);
  for (int way = 0; way < 2; ++way) {
    ShowAboutWindow(f.g);
    Pump();
    HWND w = FindWindowW(winui::kAboutClass, nullptr);
    auto child = [&](std::string_view name) { return GetDlgItem(w, winui::ControlId(f.g.aboutWindow->Controls(), name)); };
    CHECK(WindowText(w) == (chinese ? u"关于Kestrova" : u"About Kestrovaer"));
    CHECK(WindowText(child("btnOK")) == (chinese ? u"好的" : u"Okay") && WindowText(child("labTitle")) == u"Kestrova v2.8 ");
    CHECK(WindowText(child("lblURL")) == U(kHomePage));
    if (way == 0) {
      Click(child("lblURL"));
      CHECK(f.OpenedUrls() == std::vector<std::string>{std::string(kHomePage)} && IsWindow(w));
      Shot(chinese ? "about-zh" : "about-en");
      Send(child("btnOK"), BM_CLICK);
    }
    if (way == 1) Send(w, WM_CLOSE);
    CHECK(!IsWindow(w) && !f.g.aboutWindow->Loaded());
  }
}

void ProgressWindowTest(bool chinese, const std::filesystem::path& folder) {
  UiFixture f(chinese, folder / "progress.ini");
  auto ui = winui::InstallWindows(f.g);
  // A window of the host, to be painted while the command holds the thread.
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(host), Pump(), InvalidateRect(host, nullptr, TRUE);
  const VbStringView message = chinese ? u"正在缩进模块 Module1" : u"Indenting Module1";
  s_ShowProgress(f.g, 0, 200);
  ProgressWindow(f.g).SetMessageText(message);
  ProgressWindow(f.g).SetProgress(50);
  HWND w = FindWindowW(winui::kProgressClass, nullptr);
  HWND text = GetWindow(w, GW_CHILD), bar = GetWindow(text, GW_HWNDNEXT), percent = GetWindow(bar, GW_HWNDNEXT);
  CHECK(w && WindowText(w) == u"Progress" && WindowText(text) == message);
  CHECK(WindowText(percent) == u"25%" && SendMessageW(bar, PBM_GETPOS, 0, 0) == 250);
  CHECK(!GetUpdateRect(host, nullptr, FALSE) && GetForegroundWindow() == host);
  Shot(chinese ? "progress-zh" : "progress-en");
  UnloadProgress(f.g);
  CHECK(!IsWindow(w));
  DestroyWindow(host);
}

}  // namespace

int main(int argc, char** argv) {
  SetProcessDPIAware();  // the screen's true DPI, so that a run at another DPI tests the scaling
  shots = argc > 1 ? argv[1] : "-";
  std::printf("kestrova-uitest at %d DPI\n", winui::Scale::OfScreen().dpiY);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrova-uitest";
  std::filesystem::create_directories(folder);
  for (bool chinese : {false, true}) {
    language = chinese ? "Chinese" : "English";
    OptionsWindowTest(chinese, folder);
    AboutWindowTest(chinese, folder);
    ProgressWindowTest(chinese, folder);
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
