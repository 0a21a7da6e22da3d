// The operating system, headless: the Windows functions the add-in and the
// IDE call, kept in memory and recorded so that tests can see what happened.
// The tests and the kestrova command run on it, on Linux and on Windows.
//
// Windows have handles and window procedures, hot keys are registered per
// window and delivered as message 786 when "pressed", synthesised keystrokes
// wait in an input queue until the message loop (DoEvents) hands them to the
// focused window, message boxes are recorded and passed to a presenter, the
// private-profile writer keeps its INI files in memory (or, when asked, writes
// real ones below a folder that stands for the Windows directory), and opening
// a URL is recorded and passed to an opener.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace kv::platform {

class HeadlessPlatform final : public Platform {
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

  explicit HeadlessPlatform(Options options);
  ~HeadlessPlatform() override;

  HWND CreateWindowA(std::string_view className, WindowProc proc) override;
  void DestroyWindow(HWND window) override;
  bool IsWindow(HWND window) const override;
  void ShowWindow(HWND window, bool visible) override;
  bool IsWindowVisible(HWND window) const override;
  ProcAddress AddressOf(WindowProc proc) override;
  LONG_PTR GetWindowLongA(HWND window, std::int32_t index) override;
  LONG_PTR SetWindowLongA(HWND window, std::int32_t index, LONG_PTR newValue) override;
  LRESULT CallWindowProcA(ProcAddress proc, HWND window, std::uint32_t message, WPARAM wParam,
                          LPARAM lParam) override;
  LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) override;

  HWND GetFocus() const override;
  HWND SetFocus(HWND window) override;

  bool RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) override;
  bool UnregisterHotKey(HWND window, std::int32_t id) override;
  // Marks a combination as taken by another program.
  void ReserveHotKey(std::uint32_t modifiers, std::uint32_t vk);
  // The user presses a combination. When a window registered it, message 786
  // with wParam = id goes to that window and the result is true; otherwise the
  // keys go on to the focused window as ordinary key events and the result is
  // false.
  bool PressHotKey(std::uint32_t modifiers, std::uint32_t vk);
  std::vector<HotKey> RegisteredHotKeys() const;

  std::uint32_t MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const override;
  void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t extraInfo) override;
  std::uint32_t SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size) override;
  // Synthesised key events wait in a queue until DoEvents delivers them.
  void DoEvents() override;
  // Every synthesised key event, in order, whether delivered yet or not.
  const std::vector<KeyEvent>& InputLog() const;
  std::size_t PendingInput() const;
  // Here Sleep only advances a virtual clock and is recorded.
  void Sleep(std::uint32_t milliseconds) override;
  const std::vector<std::uint32_t>& Sleeps() const;
  // The virtual clock in milliseconds: the sum of every Sleep so far.
  std::uint32_t GetTickCount() const override;

  void MsgBox(VbStringView text, VbStringView title) override;
  void MsgBox(VbStringView text) override;
  const std::vector<MessageBoxRecord>& MessageBoxes() const;
  void SetMessageBoxPresenter(MessageBoxPresenter presenter);

  bool WritePrivateProfileStringA(std::string_view section, std::string_view key, std::string_view value,
                                  std::string_view file) override;
  const std::filesystem::path& WindowsDirectory() const;
  // The text of a profile file kept in memory (no Windows directory), by the
  // relative name it was written under; nothing when it was never written.
  std::optional<std::string> ProfileFileInMemory(std::string_view file) const;

  std::int32_t ShellExecuteA(HWND owner, std::string_view operation, std::string_view file,
                             std::string_view parameters, std::string_view directory, std::int32_t show) override;
  const std::vector<std::string>& OpenedUrls() const;
  void SetUrlOpener(UrlOpener opener);

 private:
  struct WindowRecord;
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace kv::platform
