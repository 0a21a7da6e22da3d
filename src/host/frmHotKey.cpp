// The hidden hot-key window: registration of the hot keys from the settings
// and the replacement of the window's procedure.
#include "host/frmHotKey.h"

#include "host/modHotKey.h"
#include "options/modSettings.h"
#include "support/modGlobals.h"

namespace kv {

namespace {

// One row of the hot-key table. A Ctrl+letter key names the setting that
// holds its letter; the others have a fixed key.
struct HotKeyRow {
  std::int32_t id;
  VbStringView enabledBy;
  std::uint32_t modifiers;
  std::uint8_t vk;
  VbStringView letterSetting;
  char16_t defaultLetter;
};

constexpr HotKeyRow kHotKeys[] = {
    {hotkey::kShiftF8, u"chkF1", platform::MOD_NONE, platform::vk::kF1, u"", 0},
    {hotkey::kCtrlShiftF8, u"chkF2", platform::MOD_NONE, platform::vk::kF2, u"", 0},
    {hotkey::kIndentModule, u"chkIndentModHotKey", platform::MOD_CONTROL, 0, u"txtIndentMod", u'M'},
    {hotkey::kCustomText, u"chkCtrl1", platform::MOD_CONTROL, 0, u"txtCtrl1", u'I'},
    {hotkey::kFold, u"chkFold", platform::MOD_CONTROL, platform::vk::kSubtract, u"", 0},
    {hotkey::kUnfold, u"chkUnfold", platform::MOD_CONTROL, platform::vk::kAdd, u"", 0},
    {hotkey::kUnfoldAll, u"chkUnfoldAll", platform::MOD_CONTROL, platform::vk::kMultiply, u"", 0},
};

bool IsLetterOrDigit(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'); }

}  // namespace

std::uint8_t HotKeyLetter(VbStringView setting, char16_t fallback) {
  char16_t c = setting.empty() ? fallback : AsciiUpper(setting.front());
  return static_cast<std::uint8_t>(IsLetterOrDigit(c) ? c : fallback);
}

frmHotKey::frmHotKey(Globals& g) : g_(g) {
  hWnd_ = g_.platform.CreateWindowA("frmHotKey", [](platform::HWND, std::uint32_t, platform::WPARAM,
                                                    platform::LPARAM) -> platform::LRESULT { return 0; });
}

frmHotKey::~frmHotKey() {
  for (std::int32_t id = hotkey::kFirst; id <= hotkey::kLast; ++id) g_.platform.UnregisterHotKey(hWnd_, id);
  g_.platform.DestroyWindow(hWnd_);
}

void frmHotKey::s_chkHotKey() {
  if (g_.gHooked == 0) {
    g_.gOldWndProc = g_.platform.GetWindowLongA(hWnd_, platform::GWL_WNDPROC);
    Globals& g = g_;
    platform::ProcAddress proc = g_.platform.AddressOf(
        [&g](platform::HWND hWnd, std::uint32_t uMsg, platform::WPARAM wParam, platform::LPARAM lParam) {
          return f_HotKeyWndProc(g, hWnd, uMsg, wParam, lParam);
        });
    g_.platform.SetWindowLongA(hWnd_, platform::GWL_WNDPROC, proc);
  }
  g_.gHooked = -1;
  s_unHotKey();
  for (const HotKeyRow& row : kHotKeys) {
    if (!IsFlagExactlyOn(g_.settings.ReadSetting(row.enabledBy, u"N"))) continue;
    std::uint8_t vk = row.vk;
    if (!row.letterSetting.empty()) {
      VbString letter = g_.settings.ReadSetting(row.letterSetting, VbStringView(&row.defaultLetter, 1));
      vk = HotKeyLetter(letter, row.defaultLetter);
    }
    // A combination another program holds is refused; that key never fires.
    g_.platform.RegisterHotKey(hWnd_, row.id, row.modifiers, vk);
  }
}

void frmHotKey::s_unHotKey() {
  for (std::int32_t id = hotkey::kFirst; id <= hotkey::kLast; ++id) g_.platform.UnregisterHotKey(hWnd_, id);
}

void frmHotKey::s_ReleaseHotKeys() {
  s_unHotKey();
  if (g_.gHooked != 0) {
    g_.platform.SetWindowLongA(hWnd_, platform::GWL_WNDPROC, g_.gOldWndProc);
    g_.gHooked = 0;
  }
}

frmHotKey& HotKeyWindow(Globals& g) {
  if (!g.hotKeyWindow) g.hotKeyWindow = std::make_unique<frmHotKey>(g);
  return *g.hotKeyWindow;
}

}  // namespace kv
