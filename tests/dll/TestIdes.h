// The IDE side of the test host: two in-memory IDEs holding the same
// project, one served over COM to the DLL, the other with the add-in
// connected directly (the reference). A command clicked in both must leave
// the same texts and carets. Kept apart from the Windows side because the
// platform interface and <windows.h> cannot meet in one file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

struct IDispatch;

namespace kv::testhost {

class TestIdes {
 public:
  TestIdes(const std::filesystem::path& settings, bool chinese);
  ~TestIdes();

  IDispatch* Application();
  // The add-in's controls in the served IDE, as `kestrova menus` lists them.
  std::string Listing();
  std::size_t OurControls();
  // Clicks the control of command n in both IDEs; empty when both agree,
  // otherwise what differs.
  std::string Click(int n);
  // Presses a hot key in the reference IDE (the served one gets WM_HOTKEY
  // from the test host); false when nothing took it.
  bool PressInReference(std::uint32_t modifiers, std::uint32_t vk);
  // Empty when the texts and carets of both IDEs agree.
  std::string Compare();
  // The served IDE's Module1 text, UTF-8.
  std::string Text();
  void Select(std::int32_t startLine, std::int32_t endLine);
  // Leaves no code pane active in either IDE, or brings Module1's back.
  void ShowCodePane(bool shown);
  // The reference's last message box text, UTF-8 ("" when none).
  std::string LastReferenceMessage();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kv::testhost
