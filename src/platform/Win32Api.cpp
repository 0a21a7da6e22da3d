// The Windows side of Win32Platform: every call into Windows itself.
#ifdef _WIN32
#include "platform/Win32Api.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <string>

#include "support/text/VbText.h"

namespace kv::win32 {

namespace {

HWND H(Handle window) { return reinterpret_cast<HWND>(window); }
Handle ToHandle(HWND window) { return reinterpret_cast<Handle>(window); }

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

std::wstring WideFromUtf8(std::string_view text) { return Wide(U(text)); }

MessageTarget* TargetOf(HWND window) {
  return reinterpret_cast<MessageTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The class procedure: the target is known from WM_NCCREATE on; messages
// before it get Windows' default processing.
LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  MessageTarget* target = TargetOf(window);
  if (!target || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
  return target->ClassMessage(ToHandle(window), message, static_cast<std::intptr_t>(wParam), lParam);
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageTarget* target = TargetOf(window);
  if (!target) return DefWindowProcW(window, message, wParam, lParam);
  return target->SubclassMessage(ToHandle(window), message, static_cast<std::intptr_t>(wParam), lParam);
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ClassProc), &module);
  return module;
}

}  // namespace

Handle CreateHiddenWindow(std::u16string_view className, MessageTarget& target) {
  std::wstring name = L"Kestrova." + Wide(className);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ClassProc;
  wc.hInstance = ThisModule();
  wc.lpszClassName = name.c_str();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!GetClassInfoExW(wc.hInstance, name.c_str(), &existing)) RegisterClassExW(&wc);
  HWND window =
      CreateWindowExW(0, name.c_str(), name.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, &target);
  return ToHandle(window);
}

void DestroyWindow(Handle window) { ::DestroyWindow(H(window)); }
bool IsWindow(Handle window) { return window != 0 && ::IsWindow(H(window)); }
void ShowWindow(Handle window, bool visible) { ::ShowWindow(H(window), visible ? SW_SHOW : SW_HIDE); }
bool IsWindowVisible(Handle window) { return ::IsWindowVisible(H(window)); }

std::intptr_t SubclassProcedure() { return reinterpret_cast<std::intptr_t>(&SubclassProc); }
std::intptr_t GetWindowProcedure(Handle window) { return GetWindowLongPtrW(H(window), GWLP_WNDPROC); }
std::intptr_t SetWindowProcedure(Handle window, std::intptr_t procedure) {
  return SetWindowLongPtrW(H(window), GWLP_WNDPROC, procedure);
}

std::intptr_t CallWindowProcedure(std::intptr_t procedure, Handle window, std::uint32_t message, std::intptr_t wParam,
                                  std::intptr_t lParam) {
  if (procedure == 0) return 0;
  return CallWindowProcW(reinterpret_cast<WNDPROC>(procedure), H(window), message, static_cast<WPARAM>(wParam), lParam);
}

std::intptr_t SendWindowMessage(Handle window, std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) {
  return SendMessageW(H(window), message, static_cast<WPARAM>(wParam), lParam);
}

Handle GetFocus() { return ToHandle(::GetFocus()); }
Handle SetFocus(Handle window) { return ToHandle(::SetFocus(H(window))); }

bool RegisterHotKey(Handle window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  return ::RegisterHotKey(H(window), id, modifiers, vk);
}
bool UnregisterHotKey(Handle window, std::int32_t id) { return ::UnregisterHotKey(H(window), id); }

std::uint32_t MapKey(std::uint32_t code, std::uint32_t mapType) { return MapVirtualKeyW(code, mapType); }
void KeyboardEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uintptr_t extraInfo) {
  keybd_event(vk, scan, flags, static_cast<ULONG_PTR>(extraInfo));
}

bool SendKeyInput(const KeyInput& key) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key.vk;
  input.ki.wScan = key.scan;
  input.ki.dwFlags = key.flags;
  input.ki.time = key.time;
  return ::SendInput(1, &input, sizeof input) == 1;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }
std::uint32_t GetTickCount() { return ::GetTickCount(); }

void ShowMessageBox(Handle owner, std::u16string_view text, std::u16string_view title) {
  std::wstring wideText = Wide(text);
  std::wstring wideTitle = Wide(title);
  MessageBoxW(H(owner), wideText.c_str(), wideTitle.c_str(), MB_OK);
}

bool WriteIniString(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
  return WritePrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                    WideFromUtf8(value).c_str(), WideFromUtf8(file).c_str());
}

std::int32_t OpenWithShell(Handle owner, std::string_view operation, std::string_view file, std::string_view parameters,
                           std::string_view directory, std::int32_t show) {
  std::wstring op = WideFromUtf8(operation), f = WideFromUtf8(file), p = WideFromUtf8(parameters),
               d = WideFromUtf8(directory);
  HINSTANCE result = ShellExecuteW(H(owner), op.empty() ? nullptr : op.c_str(), f.c_str(),
                                   p.empty() ? nullptr : p.c_str(), d.empty() ? nullptr : d.c_str(), show);
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace kv::win32
#endif  // _WIN32
