// Helpers for the host bridge's tests: an IDE with the add-in connected, and
// the add-in's controls as the IDE shows them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Harness.h"
#include "host/Connect.h"
#include "host/modMenus.h"

namespace kv::test {

// One of the add-in's controls: where it stands and what it shows.
struct Shown {
  std::string path;  // the bar, then the pop-ups above it, joined with " > "
  std::int32_t position = 0;
  VbString caption;
  std::int32_t faceId = 0;
  std::int32_t style = 0;  // 0 for a pop-up
  bool beginGroup = false;
  VbString parameter;
  friend bool operator==(const Shown&, const Shown&) = default;
};

inline void PrintTo(const Shown& s, std::ostream* os) {
  *os << s.path << " #" << s.position << " " << VbToUtf8(s.caption) << " face " << s.faceId << " style " << s.style
      << (s.beginGroup ? " group " : " ") << VbToUtf8(s.parameter);
}

// An IDE (English unless the options say otherwise) with the add-in
// connected through its connection class.
class ConnectedIde : public Harness {
 public:
  explicit ConnectedIde(model::ModelOptions options = {}, std::vector<std::pair<VbStringView, VbStringView>> set = {})
      : Harness(std::move(options)), connect(g) {
    for (const auto& [key, value] : set) settings.WriteSetting(key, value);
    g.gVBE = nullptr;  // the connection event hands the root over
    connect.AddinInstance_OnConnection(&vbe);
  }

  // Every control tagged "Kestrova", in the IDE's order.
  std::vector<model::ControlListing> Ours() {
    std::vector<model::ControlListing> ours;
    for (auto& entry : vbe.Bars().ListControls()) {
      if (entry.control->Data().tag == kTag) ours.push_back(entry);
    }
    return ours;
  }
  std::vector<Shown> ShownControls() {
    std::vector<Shown> shown;
    for (const auto& entry : Ours()) {
      const model::ControlData& d = entry.control->Data();
      shown.push_back({VbToUtf8(entry.path), entry.position, d.caption, d.faceId, static_cast<std::int32_t>(d.style),
                       d.beginGroup, d.parameter});
    }
    return shown;
  }
  // The add-in's control carrying `parameter` in the bar (or pop-up path)
  // `path`; a test error when there is none.
  vbide::ControlPtr Find(std::string_view path, VbStringView parameter) {
    for (const auto& entry : Ours()) {
      if (VbToUtf8(entry.path) == path && entry.control->Data().parameter == parameter) return entry.control;
    }
    ADD_FAILURE() << "no control " << VbToUtf8(parameter) << " in " << path;
    return nullptr;
  }
  // The menu item and the toolbar button of a command.
  vbide::ControlPtr MenuItem(std::int16_t n) {
    return Find(n <= 17 ? "Code Window > [&C] Kestrova" : OthersPath(), CommandParameter(n));
  }
  vbide::ControlPtr ToolbarButton(std::int16_t n) {
    return Find(vbe.UiLanguage() == model::Language::Chinese ? "编辑" : "Edit", CommandParameter(n));
  }
  std::string OthersPath() const {
    bool chinese = vbe.UiLanguage() == model::Language::Chinese;
    std::string others = g.IsChinese() ? "[&O] 其它" : "[&O] Others";
    return std::string("Menu Bar > ") + (chinese ? "编辑(&E)" : "&Edit") + " > " + others;
  }

  // The user clicks a control.
  void Click(const vbide::ControlPtr& control) { vbe.Click(control); }

  // The text of a file in the folder that stands for the Windows directory.
  std::string WindowsFile(const char* name) const { return ReadBytes(platform.WindowsDirectory() / name); }

  Connect connect;
};

}  // namespace kv::test
