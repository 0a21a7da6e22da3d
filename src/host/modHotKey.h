// The hot-key window's replacement window procedure and the action of each
// hot key.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace kv {

class Globals;

// The hot-key ids given to the operating system.
namespace hotkey {
inline constexpr std::int32_t kShiftF8 = 1;       // F1: Shift+F8 in the IDE
inline constexpr std::int32_t kCtrlShiftF8 = 2;   // F2: Ctrl+Shift+F8 in the IDE
inline constexpr std::int32_t kIndentModule = 3;  // Ctrl+letter: indent the module
inline constexpr std::int32_t kCustomText = 4;    // Ctrl+letter: insert the custom text
inline constexpr std::int32_t kFold = 5;          // Ctrl+keypad minus
inline constexpr std::int32_t kUnfold = 6;        // Ctrl+keypad plus
inline constexpr std::int32_t kUnfoldAll = 7;     // Ctrl+keypad star
inline constexpr std::int32_t kFirst = 1;
inline constexpr std::int32_t kLast = 7;
}  // namespace hotkey

// Runs the hot-key action of a hot-key message, then passes every message to
// the window's original procedure and returns its result.
platform::LRESULT f_HotKeyWndProc(Globals& g, platform::HWND hWnd, std::uint32_t uMsg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);
// The action of one hot key; an unknown id does nothing. An error inside a
// command is reported by the add-in and does not leave the window procedure.
void s_HotKeyAction(Globals& g, std::int32_t id);

}  // namespace kv
