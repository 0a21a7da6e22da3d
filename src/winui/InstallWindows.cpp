// Installs the Win32 windows into the add-in's state: the window host, the
// progress renderer, the window classes and the hook that gives the modeless
// windows their dialog keys.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <memory>

#include "options/frmOptions.h"
#include "support/frmAbout.h"
#include "support/modGlobals.h"
#include "winui/Forms.h"
#include "winui/WinUi.h"

namespace kv::winui {

namespace {

bool IsFormWindow(HWND window) {
  wchar_t name[64];
  if (!window || !GetClassNameW(window, name, 64)) return false;
  return (std::wcscmp(name, kOptionsClass) == 0 || std::wcscmp(name, kAboutClass) == 0) &&
         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == ThisModule();
}

// The host's message loop knows nothing of our windows: each key message on
// its way to one of them goes through IsDialogMessageW first, which handles
// Tab, Enter, Esc and the access keys, and is then dropped.
LRESULT CALLBACK DialogKeys(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    HWND root = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
    if (IsFormWindow(root) && IsDialogMessageW(root, msg)) {
      msg->message = WM_NULL;
      msg->wParam = 0;
      msg->lParam = 0;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Installed final : public InstalledWindows {
 public:
  explicit Installed(Globals& g) : g_(g), progress_(g) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterFormClass(kOptionsClass, FormWindow::Procedure);
    RegisterFormClass(kAboutClass, FormWindow::Procedure);
    RegisterFormClass(kProgressClass, ProgressWindow::Procedure);
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, DialogKeys, nullptr, GetCurrentThreadId());
    g_.windowHost.showOptions = [this](frmOptions& model) { ShowOptions(model); };
    g_.windowHost.showAbout = [this](frmAbout& model) { ShowAbout(model); };
    g_.progressRenderer = &progress_;
  }

  ~Installed() override {
    options_.reset();
    about_.reset();
    if (g_.progressRenderer == &progress_) {
      UnloadProgress(g_);
      g_.progressRenderer = nullptr;
    }
    progress_.Unloaded();
    g_.windowHost = {};
    if (hook_) UnhookWindowsHookEx(hook_);
    for (const wchar_t* name : {kOptionsClass, kAboutClass, kProgressClass}) UnregisterClassW(name, ThisModule());
  }

  void RunUntilClosed() override {
    MSG m;
    while ((options_ && options_->Open()) || (about_ && about_->Open())) {
      const BOOL got = GetMessageW(&m, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(m.wParam));
        return;
      }
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }

 private:
  // A second Set Up while the window is open brings that window forward.
  void ShowOptions(frmOptions& model) {
    if (options_ && &options_->Model() == &model && options_->Open()) return options_->BringForward();
    options_.reset();
    options_ = std::make_unique<OptionsWindow>(model, g_.IsChinese());
  }

  void ShowAbout(frmAbout& model) {
    if (about_ && &about_->Model() == &model && about_->Open()) return about_->BringForward();
    about_.reset();
    about_ = std::make_unique<AboutWindow>(model, g_.IsChinese());
  }

  Globals& g_;
  HHOOK hook_ = nullptr;
  ProgressWindow progress_;
  std::unique_ptr<OptionsWindow> options_;
  std::unique_ptr<AboutWindow> about_;
};

}  // namespace

std::unique_ptr<InstalledWindows> InstallWindows(Globals& g) { return std::make_unique<Installed>(g); }

}  // namespace kv::winui
