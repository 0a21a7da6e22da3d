// The operating system, headless: the Windows functions the add-in and the
// IDE call, kept in memory and recorded so that tests can see what happened.
//
// Windows have handles and window procedures, hot keys are registered per
// window and delivered as message 786 when "pressed", synthesised keystrokes
// wait in an input queue until the message loop (DoEvents) hands them to the
// focused window, message boxes are recorded and passed to a presenter, the
// private-profile writer keeps its INI files in memory (or, when asked, writes
// real ones below a folder that stands for the Windows directory), and opening
// a URL is recorded and passed to an opener.
//
// Every function keeps the name and the argument order of its Windows
// counterpart, so the code that calls it reads as the add-in's code would.
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

using HWND = std::int32_t;  // 0: no window
using WPARAM = std::int32_t;
using LPARAM = std::int32_t;
using LRESULT = std::int32_t;
using ProcAddress = std::int32_t;  // what GetWindowLongA(h, GWL_WNDPROC) returns
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
  struct Options {
    // The folder that stands for the Windows directory: relative file names
    // given to the private-profile functions resolve there. Empty: there is
    // no such folder and profile files given by a relative name live in
    // memory only, so that a headless run leaves nothing on disk.
    std::filesystem::path windowsDirectory;
  };
  using MessageBoxPresenter = std::function<void(const MessageBoxRecord&)>;
  using UrlOpener = std::function<void(std::string_view url)>;

  explicit Platform(Options options);
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  ~Platform();

  // ---- Windows and window procedures ----
  // Creates a (hidden) window whose procedure is `proc`.
  HWND CreateWindowA(std::string_view className, WindowProc proc);
  void DestroyWindow(HWND window);
  bool IsWindow(HWND window) const;
  void ShowWindow(HWND window, bool visible);
  bool IsWindowVisible(HWND window) const;
  // Gives a procedure an address, as AddressOf does.
  ProcAddress AddressOf(WindowProc proc);
  std::int32_t GetWindowLongA(HWND window, std::int32_t index);
  std::int32_t SetWindowLongA(HWND window, std::int32_t index, std::int32_t newValue);
  LRESULT CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
  LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

  // ---- Focus ----
  HWND GetFocus() const;
  // Fails (returns 0, focus unchanged) for a hidden or destroyed window. On
  // success it returns the window that had the focus before or, when none
  // had it, the window itself, so that 0 always means failure. SetFocus(0)
  // takes the focus away from every window. Hiding or destroying the focused
  // window leaves no window with the focus.
  HWND SetFocus(HWND window);

  // ---- Hot keys ----
  // Refused (false) when another program holds the combination, or the window
  // already registered the id or someone registered the combination.
  bool RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk);
  bool UnregisterHotKey(HWND window, std::int32_t id);
  // Marks a combination as taken by another program.
  void ReserveHotKey(std::uint32_t modifiers, std::uint32_t vk);
  // The user presses a combination. When a window registered it, message 786
  // with wParam = id goes to that window and the result is true; otherwise the
  // keys go on to the focused window as ordinary key events and the result is
  // false.
  bool PressHotKey(std::uint32_t modifiers, std::uint32_t vk);
  std::vector<HotKey> RegisteredHotKeys() const;

  // ---- Keyboard input ----
  std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t extraInfo);
  std::uint32_t SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size);
  // The message loop: hands every queued key event to the window that has
  // the focus, as WM_KEYDOWN / WM_KEYUP with wParam = the virtual key.
  void DoEvents();
  // Every synthesised key event, in order, whether delivered yet or not.
  const std::vector<KeyEvent>& InputLog() const;
  std::size_t PendingInput() const;
  // Blocks the thread; here it only advances a clock and is recorded.
  void Sleep(std::uint32_t milliseconds);
  const std::vector<std::uint32_t>& Sleeps() const;
  // The virtual clock in milliseconds: the sum of every Sleep so far.
  std::uint32_t GetTickCount() const;

  // ---- Message boxes ----
  // An OK-only box without an icon, as the add-in shows all of its messages.
  void MsgBox(VbStringView text, VbStringView title);
  void MsgBox(VbStringView text);  // no title of its own
  const std::vector<MessageBoxRecord>& MessageBoxes() const;
  void SetMessageBoxPresenter(MessageBoxPresenter presenter);

  // ---- Private profile files ----
  // A file name without a folder resolves to the Windows directory.
  bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                  std::string_view file);
  const std::filesystem::path& WindowsDirectory() const;
  // The text of a profile file kept in memory (no Windows directory), by the
  // relative name it was written under; nothing when it was never written.
  std::optional<std::string> ProfileFileInMemory(std::string_view file) const;

  // ---- Shell ----
  // Only the operation "open" is known; the result is greater than 32 on
  // success, as ShellExecute's is.
  std::int32_t ShellExecuteA(HWND owner, std::string_view operation, std::string_view file,
                             std::string_view parameters, std::string_view directory, std::int32_t show);
  const std::vector<std::string>& OpenedUrls() const;
  void SetUrlOpener(UrlOpener opener);

 private:
  struct WindowRecord;
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace kv::platform
