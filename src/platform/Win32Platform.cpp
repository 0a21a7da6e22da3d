// The platform interface over Windows: each call passes through Win32Api to
// Windows; window procedures and subclassing are bridged as described in
// Win32Platform.h.
#ifdef _WIN32
#include "platform/Win32Platform.h"

#include "platform/Win32Api.h"

namespace kv::platform {

class Win32Platform::Target final : public win32::MessageTarget {
 public:
  explicit Target(Win32Platform& platform) : platform_(platform) {}
  std::intptr_t ClassMessage(win32::Handle window, std::uint32_t message, std::intptr_t wParam,
                             std::intptr_t lParam) override {
    auto it = platform_.windows_.find(window);
    return it == platform_.windows_.end() ? 0 : platform_.Call(it->second.own, window, message, wParam, lParam);
  }
  std::intptr_t SubclassMessage(win32::Handle window, std::uint32_t message, std::intptr_t wParam,
                                std::intptr_t lParam) override {
    auto it = platform_.windows_.find(window);
    return it == platform_.windows_.end() ? 0 : platform_.Call(it->second.installed, window, message, wParam, lParam);
  }

 private:
  Win32Platform& platform_;
};

Win32Platform::Win32Platform() : target_(std::make_unique<Target>(*this)) {}

Win32Platform::~Win32Platform() {
  // A window must not outlive the procedures its messages go to.
  while (!windows_.empty()) DestroyWindow(windows_.begin()->first);
}

const WindowProc* Win32Platform::Stored(ProcAddress address) const {
  auto it = procs_.find(address);
  return it == procs_.end() ? nullptr : it->second.get();
}

LRESULT Win32Platform::Call(ProcAddress address, HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  const WindowProc* proc = Stored(address);
  return proc && *proc ? (*proc)(window, message, wParam, lParam) : 0;
}

HWND Win32Platform::CreateWindowA(std::string_view className, WindowProc proc) {
  ProcAddress own = AddressOf(std::move(proc));
  HWND window = win32::CreateHiddenWindow(U(className), *target_);
  if (window != 0) windows_[window] = WindowRecord{own, 0};
  return window;
}

void Win32Platform::DestroyWindow(HWND window) {
  win32::DestroyWindow(window);
  windows_.erase(window);
}

bool Win32Platform::IsWindow(HWND window) const { return win32::IsWindow(window); }
void Win32Platform::ShowWindow(HWND window, bool visible) { win32::ShowWindow(window, visible); }
bool Win32Platform::IsWindowVisible(HWND window) const { return win32::IsWindowVisible(window); }

ProcAddress Win32Platform::AddressOf(WindowProc proc) {
  auto stored = std::make_unique<const WindowProc>(std::move(proc));
  auto address = reinterpret_cast<ProcAddress>(stored.get());
  procs_.emplace(address, std::move(stored));
  return address;
}

LONG_PTR Win32Platform::GetWindowLongA(HWND window, std::int32_t index) {
  if (index != GWL_WNDPROC) return 0;
  auto it = windows_.find(window);
  if (it != windows_.end() && it->second.installed != 0) return it->second.installed;
  return win32::GetWindowProcedure(window);
}

LONG_PTR Win32Platform::SetWindowLongA(HWND window, std::int32_t index, LONG_PTR newValue) {
  if (index != GWL_WNDPROC || !win32::IsWindow(window) || newValue == 0) return 0;
  LONG_PTR previous = GetWindowLongA(window, index);
  if (Stored(newValue)) {
    // Only the platform's own windows can route to a stored procedure.
    auto it = windows_.find(window);
    if (it == windows_.end()) return 0;
    win32::SetWindowProcedure(window, win32::SubclassProcedure());
    it->second.installed = newValue;
  } else {
    win32::SetWindowProcedure(window, newValue);
    if (auto it = windows_.find(window); it != windows_.end()) it->second.installed = 0;
  }
  return previous;
}

LRESULT Win32Platform::CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam,
                                       LPARAM lParam) {
  if (Stored(proc)) return Call(proc, window, message, wParam, lParam);
  return win32::CallWindowProcedure(proc, window, message, wParam, lParam);
}

LRESULT Win32Platform::SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return win32::SendWindowMessage(window, message, wParam, lParam);
}

HWND Win32Platform::GetFocus() const { return win32::GetFocus(); }
HWND Win32Platform::SetFocus(HWND window) { return win32::SetFocus(window); }

bool Win32Platform::RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  return win32::RegisterHotKey(window, id, modifiers, vk);
}
bool Win32Platform::UnregisterHotKey(HWND window, std::int32_t id) { return win32::UnregisterHotKey(window, id); }

std::uint32_t Win32Platform::MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const {
  return win32::MapKey(code, mapType);
}

void Win32Platform::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t extraInfo) {
  win32::KeyboardEvent(vk, scan, flags, extraInfo);
}

std::uint32_t Win32Platform::SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size) {
  // The records come in the 32-bit layout; each is passed on in Windows' own.
  if (size != static_cast<std::int32_t>(sizeof(INPUT)) || !inputs) return 0;
  std::uint32_t sent = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const KEYBDINPUT& k = inputs[i].ki;
    if (inputs[i].type != INPUT_KEYBOARD || !win32::SendKeyInput({k.wVk, k.wScan, k.dwFlags, k.time})) break;
    ++sent;
  }
  return sent;
}

void Win32Platform::DoEvents() { win32::PumpMessages(); }
void Win32Platform::Sleep(std::uint32_t milliseconds) { win32::Sleep(milliseconds); }
std::uint32_t Win32Platform::GetTickCount() const { return win32::GetTickCount(); }

void Win32Platform::MsgBox(VbStringView text, VbStringView title) { win32::ShowMessageBox(owner_, text, title); }
void Win32Platform::MsgBox(VbStringView text) { win32::ShowMessageBox(owner_, text, kDefaultTitle); }

bool Win32Platform::WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                               std::string_view file) {
  return win32::WriteIniString(section, key, value, file);
}

std::int32_t Win32Platform::ShellExecuteA(HWND owner, std::string_view operation, std::string_view file,
                                          std::string_view parameters, std::string_view directory, std::int32_t show) {
  return win32::OpenWithShell(owner, operation, file, parameters, directory, show);
}

}  // namespace kv::platform
#endif  // _WIN32
