// The progress window on Windows: caption, message line, a progress bar and
// the percentage under it, redrawn whenever the view model repaints.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "support/modGlobals.h"
#include "winui/Forms.h"
#include "winui/WinUi.h"

namespace kv::winui {

namespace {

// Client area and places in twips; the bar is as wide as the model's full
// bar, so its width and the model's agree.
constexpr int kClientWidth = 5055;
constexpr int kClientHeight = 1260;
constexpr int kMargin = 120;
constexpr int kBarRange = 1000;

}  // namespace

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The window has no close box; Alt+F4 must not take it from the command
  // that shows it.
  if (message == WM_CLOSE) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

ProgressWindow::~ProgressWindow() {
  Unloaded();
  if (font_) DeleteObject(font_);
}

void ProgressWindow::Create() {
  const Scale scale = Scale::OfScreen();
  if (!font_) font_ = CreateUiFont(g_.IsChinese(), scale);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
  RECT frame{0, 0, scale.X(kClientWidth), scale.Y(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  window_ = CreateWindowExW(exStyle, kProgressClass, L"Progress", style, work.left + (work.right - work.left - width) / 2,
                            work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, nullptr,
                            ThisModule(), nullptr);
  if (!window_) return;
  const int barWidth = scale.X(static_cast<int>(frmProgress::kDefaultBarWidth));
  auto child = [&](const wchar_t* cls, DWORD extra, int top) {
    HWND h = CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | extra, scale.X(kMargin), scale.Y(top), barWidth,
                             scale.Y(300), window_, nullptr, ThisModule(), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return h;
  };
  message_ = child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kMargin);
  bar_ = child(PROGRESS_CLASSW, PBS_SMOOTH, 480);
  percent_ = child(L"STATIC", SS_CENTER | SS_NOPREFIX, 840);
  SendMessageW(bar_, PBM_SETRANGE32, 0, kBarRange);
  // Shown without taking the activation from the window the command works in.
  ShowWindow(window_, SW_SHOWNA);
}

void ProgressWindow::Repaint(const frmProgress& model) {
  if (!window_) Create();
  if (!window_) return;
  if (WindowText(window_) != model.Caption()) SetWindowTextW(window_, Wide(model.Caption()).c_str());
  if (WindowText(message_) != model.MessageText()) SetWindowTextW(message_, Wide(model.MessageText()).c_str());
  if (WindowText(percent_) != model.PercentText()) SetWindowTextW(percent_, Wide(model.PercentText()).c_str());
  const double filled = std::clamp(model.Fraction(), 0.0, 1.0) * kBarRange;
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(filled)), 0);
  UpdateWindow(window_);
  Pump();
}

void ProgressWindow::Pump() {
  MSG m;
  auto dispatch = [&] {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that owns the thread
      return false;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
  };
  for (HWND h : {window_, message_, bar_, percent_})
    while (h && PeekMessageW(&m, h, 0, 0, PM_REMOVE) && dispatch()) {
    }
  // The paint messages of every window of the thread, a bounded number so a
  // window that never validates cannot hold the command.
  for (int i = 0; i < 256 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT) && dispatch(); ++i) {
  }
}

void ProgressWindow::Unloaded() {
  if (window_) DestroyWindow(window_);
  window_ = message_ = bar_ = percent_ = nullptr;
}

}  // namespace kv::winui
