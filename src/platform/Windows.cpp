// Windows, window procedures and the keyboard focus.
//
// A window is a handle with a current window procedure. Procedures live in a
// table of addresses: AddressOf gives a procedure an address, a window's
// procedure is named by its address, and subclassing a window means putting
// another address in its place (SetWindowLongA with GWL_WNDPROC), as add-ins
// do to see a window's messages. A handle or an address that was never
// handed out, or whose window is gone, fails the way Windows fails: the call
// returns 0 and changes nothing.
#include <algorithm>

#include "platform/PlatformState.h"

namespace kv::platform {

HWND HeadlessPlatform::CreateWindowA(std::string_view className, WindowProc proc) {
  ProcAddress address = AddressOf(std::move(proc));
  HWND window = state_->nextWindow;
  state_->nextWindow += 4;
  state_->windows.emplace(window, WindowRecord{std::string(className), address, false});
  return window;
}

void HeadlessPlatform::DestroyWindow(HWND window) {
  if (!state_->windows.erase(window)) return;
  if (state_->focus == window) state_->focus = 0;
  // A destroyed window's hot keys are freed for other windows.
  std::erase_if(state_->hotKeys, [&](const HotKey& key) { return key.window == window; });
}

bool HeadlessPlatform::IsWindow(HWND window) const { return state_->windows.contains(window); }

void HeadlessPlatform::ShowWindow(HWND window, bool visible) {
  WindowRecord* record = state_->Find(window);
  if (!record) return;
  record->visible = visible;
  if (!visible && state_->focus == window) state_->focus = 0;
}

bool HeadlessPlatform::IsWindowVisible(HWND window) const {
  auto it = state_->windows.find(window);
  return it != state_->windows.end() && it->second.visible;
}

ProcAddress HeadlessPlatform::AddressOf(WindowProc proc) {
  ProcAddress address = state_->nextProc;
  state_->nextProc += 16;
  state_->procs.emplace(address, std::make_shared<const WindowProc>(std::move(proc)));
  return address;
}

LONG_PTR HeadlessPlatform::GetWindowLongA(HWND window, std::int32_t index) {
  WindowRecord* record = state_->Find(window);
  if (!record || index != GWL_WNDPROC) return 0;
  return record->proc;
}

LONG_PTR HeadlessPlatform::SetWindowLongA(HWND window, std::int32_t index, LONG_PTR newValue) {
  WindowRecord* record = state_->Find(window);
  // An address that names no procedure is refused rather than installed: the
  // first message would otherwise jump into nowhere.
  if (!record || index != GWL_WNDPROC || !state_->procs.contains(newValue)) return 0;
  return std::exchange(record->proc, newValue);
}

LRESULT HeadlessPlatform::CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  auto it = state_->procs.find(proc);
  if (it == state_->procs.end()) return 0;
  std::shared_ptr<const WindowProc> keep = it->second;  // the procedure may change the table
  return *keep ? (*keep)(window, message, wParam, lParam) : 0;
}

LRESULT HeadlessPlatform::SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* record = state_->Find(window);
  if (!record) return 0;
  return CallWindowProcA(record->proc, window, message, wParam, lParam);
}

HWND HeadlessPlatform::GetFocus() const { return state_->focus; }

HWND HeadlessPlatform::SetFocus(HWND window) {
  HWND previous = state_->focus;
  if (window == 0) {
    state_->focus = 0;
    return previous;
  }
  WindowRecord* record = state_->Find(window);
  if (!record || !record->visible) return 0;
  state_->focus = window;
  return previous != 0 ? previous : window;
}

}  // namespace kv::platform
