// The operating system as Windows itself: the second implementation of the
// platform interface, used by the add-in's DLL inside the IDE.
//
// Window procedures are C++ functions, so AddressOf cannot hand out real code
// addresses. It hands out the address of the stored function instead, and
// the platform tells the two kinds apart: installing such an address as a
// window's procedure subclasses the window with one real procedure that calls
// the stored function, and installing a real address (the one read back
// before) gives the window its own procedure again. CallWindowProcA calls
// either kind.
#pragma once

#include <map>
#include <memory>

#include "platform/Platform.h"

namespace kv::platform {

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;

  // The window that owns the message boxes (the IDE's main window); 0: none.
  void SetOwner(HWND owner) { owner_ = owner; }
  // The title of a message box shown without one of its own.
  static constexpr VbStringView kDefaultTitle = u"Kestrova";

  HWND CreateWindowA(std::string_view className, WindowProc proc) override;
  void DestroyWindow(HWND window) override;
  bool IsWindow(HWND window) const override;
  void ShowWindow(HWND window, bool visible) override;
  bool IsWindowVisible(HWND window) const override;
  ProcAddress AddressOf(WindowProc proc) override;
  LONG_PTR GetWindowLongA(HWND window, std::int32_t index) override;
  LONG_PTR SetWindowLongA(HWND window, std::int32_t index, LONG_PTR newValue) override;
  LRESULT CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;
  LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;

  HWND GetFocus() const override;
  HWND SetFocus(HWND window) override;

  bool RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(HWND window, std::int32_t id) override;

  std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t extraInfo) override;
  std::uint32_t SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size) override;
  void DoEvents() override;
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t GetTickCount() const override;

  void MsgBox(VbStringView text, VbStringView title) override;
  void MsgBox(VbStringView text) override;

  bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                  std::string_view file) override;
  std::int32_t ShellExecuteA(HWND owner, std::string_view operation, std::string_view file, std::string_view parameters,
                             std::string_view directory, std::int32_t show) override;

 private:
  class Target;
  struct WindowRecord {
    ProcAddress own = 0;        // the procedure given at creation
    ProcAddress installed = 0;  // the stored procedure that subclasses it; 0: none
  };
  const WindowProc* Stored(ProcAddress address) const;
  LRESULT Call(ProcAddress address, HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<Target> target_;
  std::map<ProcAddress, std::unique_ptr<const WindowProc>> procs_;
  std::map<HWND, WindowRecord> windows_;
  HWND owner_ = 0;
};

}  // namespace kv::platform
