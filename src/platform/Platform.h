// The operating system as the add-in and the IDE see it: the Windows
// functions they call, behind one interface. HeadlessPlatform keeps them in
// memory for tests and for the kestrova command; a Win32 implementation
// passes them on to Windows itself.
//
// Every function keeps the name and the argument order of its Windows
// counterpart, so the code that calls it reads as the add-in's code would.
// Handles, message parameters and procedure addresses are pointer-sized, as
// Windows' own are, so a real window handle fits on 64-bit Windows too. This
// header defines names that <windows.h> defines as macros (WM_KEYDOWN,
// MOD_ALT...): a file that calls Windows itself includes it without this one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/text/VbText.h"

namespace kv::platform {

using HWND = std::intptr_t;  // 0: no window
using WPARAM = std::intptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ProcAddress = LONG_PTR;  // what GetWindowLongA(h, GWL_WNDPROC) returns
using WindowProc = std::function<LRESULT(HWND, std::uint32_t, WPARAM, LPARAM)>;

inline constexpr std::int32_t GWL_WNDPROC = -4;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_HOTKEY = 786;
inline constexpr std::uint32_t MOD_NONE = 0;
inline constexpr std::uint32_t MOD_ALT = 1;
inline constexpr std::uint32_t MOD_CONTROL = 2;
inline constexpr std::uint32_t MOD_SHIFT = 4;
inline constexpr std::uint32_t KEYEVENTF_KEYUP = 2;
inline constexpr std::uint32_t INPUT_KEYBOARD = 1;
inline constexpr std::uint32_t MAPVK_VK_TO_VSC = 0;

// Virtual-key codes the add-in and the IDE use.
namespace vk {
inline constexpr std::uint8_t kControl = 17;
inline constexpr std::uint8_t kDelete = 46;
inline constexpr std::uint8_t kA = 65;
inline constexpr std::uint8_t kMultiply = 106;
inline constexpr std::uint8_t kAdd = 107;
inline constexpr std::uint8_t kSubtract = 109;
inline constexpr std::uint8_t kF1 = 112;
inline constexpr std::uint8_t kF2 = 113;
inline constexpr std::uint8_t kF8 = 119;
inline constexpr std::uint8_t kLShift = 160;
}  // namespace vk

// A keyboard input record as SendInput takes it on 32-bit Windows: 28 bytes.
struct KEYBDINPUT {
  std::uint16_t wVk = 0;
  std::uint16_t wScan = 0;
  std::uint32_t dwFlags = 0;
  std::uint32_t time = 0;
  std::uint32_t dwExtraInfo = 0;
};
struct INPUT {
  std::uint32_t type = INPUT_KEYBOARD;
  KEYBDINPUT ki;
  std::uint8_t padding[8] = {};
};
static_assert(sizeof(INPUT) == 28, "INPUT must have the 32-bit Windows layout");

// One key event, as it entered the input queue.
struct KeyEvent {
  // Keyboard: the user's own key press that no hot key took (PressHotKey).
  enum class Source { KeybdEvent, SendInput, Keyboard };
  std::uint16_t vk = 0;
  std::uint16_t scan = 0;
  bool up = false;
  Source source = Source::KeybdEvent;
};

struct HotKey {
  HWND window = 0;
  std::int32_t id = 0;
  std::uint32_t modifiers = 0;
  std::uint32_t vk = 0;
};

struct MessageBoxRecord {
  VbString text;
  std::optional<VbString> title;  // absent: the box has no title of its own
};

class Platform {
 public:
  Platform() = default;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  virtual ~Platform() = default;

  // ---- Windows and window procedures ----
  // Creates a (hidden) window whose procedure is `proc`.
  virtual HWND CreateWindowA(std::string_view className, WindowProc proc) = 0;
  virtual void DestroyWindow(HWND window) = 0;
  virtual bool IsWindow(HWND window) const = 0;
  virtual void ShowWindow(HWND window, bool visible) = 0;
  virtual bool IsWindowVisible(HWND window) const = 0;
  // Gives a procedure an address, as AddressOf does.
  virtual ProcAddress AddressOf(WindowProc proc) = 0;
  virtual LONG_PTR GetWindowLongA(HWND window, std::int32_t index) = 0;
  virtual LONG_PTR SetWindowLongA(HWND window, std::int32_t index, LONG_PTR newValue) = 0;
  virtual LRESULT CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam,
                                  LPARAM lParam) = 0;
  virtual LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) = 0;

  // ---- Focus ----
  virtual HWND GetFocus() const = 0;
  // Fails (returns 0, focus unchanged) for a hidden or destroyed window. On
  // success it returns the window that had the focus before or, when none
  // had it, the window itself, so that 0 always means failure. SetFocus(0)
  // takes the focus away from every window. Hiding or destroying the focused
  // window leaves no window with the focus.
  virtual HWND SetFocus(HWND window) = 0;

  // ---- Hot keys ----
  // Refused (false) when another program holds the combination, or the window
  // already registered the id or someone registered the combination.
  virtual bool RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) = 0;
  virtual bool UnregisterHotKey(HWND window, std::int32_t id) = 0;

  // ---- Keyboard input ----
  virtual std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const = 0;
  virtual void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t extraInfo) = 0;
  virtual std::uint32_t SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size) = 0;
  // The message loop: hands every waiting key event to the window that has
  // the focus, as WM_KEYDOWN / WM_KEYUP with wParam = the virtual key.
  virtual void DoEvents() = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  virtual std::uint32_t GetTickCount() const = 0;

  // ---- Message boxes ----
  // An OK-only box without an icon, as the add-in shows all of its messages.
  virtual void MsgBox(VbStringView text, VbStringView title) = 0;
  virtual void MsgBox(VbStringView text) = 0;  // no title of its own

  // ---- Private profile files ----
  // A file name without a folder resolves to the Windows directory.
  virtual bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                          std::string_view file) = 0;

  // ---- Shell ----
  // Only the operation "open" is known; the result is greater than 32 on
  // success, as ShellExecute's is.
  virtual std::int32_t ShellExecuteA(HWND owner, std::string_view operation, std::string_view file,
                                     std::string_view parameters, std::string_view directory, std::int32_t show) = 0;
};

}  // namespace kv::platform
