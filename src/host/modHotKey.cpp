// The hot-key messages and what each hot key does.
#include "host/modHotKey.h"

#include "host/modKeybd.h"
#include "indent/modIndentControl.h"
#include "organize/modOrganize.h"
#include "support/modGlobals.h"

namespace kv {

platform::LRESULT f_HotKeyWndProc(Globals& g, platform::HWND hWnd, std::uint32_t uMsg, platform::WPARAM wParam,
                                  platform::LPARAM lParam) {
  if (uMsg == platform::WM_HOTKEY) s_HotKeyAction(g, wParam);
  return g.platform.CallWindowProcA(g.gOldWndProc, hWnd, uMsg, wParam, lParam);
}

void s_HotKeyAction(Globals& g, std::int32_t id) {
  namespace vk = platform::vk;
  auto run = [&](std::int16_t n) {
    if (!s_RunCommand(g, n)) ++g.gCommandErrors;
  };
  switch (id) {
    case hotkey::kShiftF8: s_SendChord(g, {vk::kLShift, vk::kF8}); break;
    case hotkey::kCtrlShiftF8: s_SendChord(g, {vk::kLShift, vk::kControl, vk::kF8}); break;
    // The indent-module key runs the driver itself, not the dispatcher.
    case hotkey::kIndentModule:
      if (!s_RunGuarded(g, [&] { s_IndentModule(g); })) ++g.gCommandErrors;
      break;
    case hotkey::kCustomText: run(cmd::kInsertCustomText); break;
    case hotkey::kFold: run(cmd::kFold); break;
    case hotkey::kUnfold: run(cmd::kUnfold); break;
    case hotkey::kUnfoldAll: run(cmd::kUnfoldAll); break;
    default: break;
  }
}

}  // namespace kv
