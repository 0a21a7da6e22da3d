// The Windows calls behind Win32Platform, with neutral names.
//
// Platform.h names its functions and constants after Windows' own, which
// <windows.h> defines as macros; the two headers cannot meet in one file.
// Win32Platform.cpp speaks the platform interface and calls these functions;
// Win32Api.cpp includes <windows.h> and calls Windows. Nothing here names a
// Windows type: handles and addresses are pointer-sized integers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::win32 {

using Handle = std::intptr_t;

// Where the messages of a window made by CreateHiddenWindow go. ClassMessage
// is the window's own procedure; SubclassMessage is the procedure that
// replaces it once the platform subclasses the window (SubclassProcedure).
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual std::intptr_t ClassMessage(Handle window, std::uint32_t message, std::intptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual std::intptr_t SubclassMessage(Handle window, std::uint32_t message, std::intptr_t wParam,
                                        std::intptr_t lParam) = 0;
};

// A hidden top-level window of a class registered on first use (its name
// prefixed "Kestrova."), whose messages go to `target`; 0 on failure.
Handle CreateHiddenWindow(std::u16string_view className, MessageTarget& target);
void DestroyWindow(Handle window);
bool IsWindow(Handle window);
void ShowWindow(Handle window, bool visible);
bool IsWindowVisible(Handle window);
// The address of the procedure that forwards to MessageTarget::SubclassMessage.
std::intptr_t SubclassProcedure();
std::intptr_t GetWindowProcedure(Handle window);
std::intptr_t SetWindowProcedure(Handle window, std::intptr_t procedure);
std::intptr_t CallWindowProcedure(std::intptr_t procedure, Handle window, std::uint32_t message, std::intptr_t wParam,
                                  std::intptr_t lParam);
std::intptr_t SendWindowMessage(Handle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam);
Handle GetFocus();
Handle SetFocus(Handle window);

bool RegisterHotKey(Handle window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk);
bool UnregisterHotKey(Handle window, std::int32_t id);

std::uint32_t MapKey(std::uint32_t code, std::uint32_t mapType);
void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo);
// One keyboard input record, sent with SendInput.
struct KeyInput {
  std::uint16_t vk;
  std::uint16_t scan;
  std::uint32_t flags;
  std::uint32_t time;
};
bool SendKeyInput(const KeyInput& input);
// Hands every waiting message of this thread to its window.
void PumpMessages();
void Sleep(std::uint32_t milliseconds);
std::uint32_t GetTickCount();

// An OK-only box without an icon, owned by `owner`.
void ShowMessageBox(Handle owner, std::u16string_view text, std::u16string_view title);

// Strings are UTF-8; a bare file name resolves to the Windows directory.
bool WriteIniString(std::string_view section, std::string_view key, std::string_view value, std::string_view file);
std::int32_t OpenWithShell(Handle owner, std::string_view operation, std::string_view file, std::string_view parameters,
                           std::string_view directory, std::int32_t show);

}  // namespace kv::win32
