// A window of the in-memory IDE and the keys its editor understands.
#include "host/model/ModelWindow.h"

#include "host/model/Faults.h"

namespace kv::model {

ModelWindow::ModelWindow(platform::Platform& platform, Faults& faults, vbide::WindowType type, VbString caption,
                         bool visible)
    : platform_(platform), faults_(faults), type_(type), caption_(std::move(caption)) {
  hWnd_ = platform_.CreateWindowA("KestrovaModelWindow", [this](platform::HWND, std::uint32_t message,
                                                                 platform::WPARAM wParam, platform::LPARAM) {
    return OnMessage(message, wParam);
  });
  editor_.selectAll = [this] { allSelected_ = true; };
  editor_.deleteSelection = [this] {
    if (allSelected_) text_.clear();
    allSelected_ = false;
  };
  if (visible) platform_.ShowWindow(hWnd_, true);
}

ModelWindow::~ModelWindow() { platform_.DestroyWindow(hWnd_); }

bool ModelWindow::IsVisible() const { return platform_.IsWindowVisible(hWnd_); }

void ModelWindow::SetVisible(bool visible) { platform_.ShowWindow(hWnd_, visible); }

bool ModelWindow::Focus() { return platform_.SetFocus(hWnd_) != 0; }

bool ModelWindow::HasFocus() const { return platform_.GetFocus() == hWnd_; }

platform::LRESULT ModelWindow::OnMessage(std::uint32_t message, platform::WPARAM wParam) {
  if (message != platform::WM_KEYDOWN && message != platform::WM_KEYUP) return 0;
  keys_.push_back({message, static_cast<std::int32_t>(wParam)});  // a virtual key
  bool down = message == platform::WM_KEYDOWN;
  if (wParam == platform::vk::kControl) {
    controlDown_ = down;
  } else if (down && wParam == platform::vk::kA && controlDown_) {
    if (editor_.selectAll) editor_.selectAll();
  } else if (down && wParam == platform::vk::kDelete) {
    if (editor_.deleteSelection) editor_.deleteSelection();
  }
  return 0;
}

vbide::WindowType ModelWindow::Type() {
  faults_.Check("Window.Type");
  return type_;
}

VbString ModelWindow::Caption() {
  faults_.Check("Window.Caption");
  return caption_;
}

bool ModelWindow::Visible() {
  faults_.Check("Window.Visible");
  return IsVisible();
}

void ModelWindow::SetFocus() {
  faults_.Check("Window.SetFocus");
  // A hidden window refuses the focus without an error, as the system's
  // SetFocus does; the focus stays where it was.
  platform_.SetFocus(hWnd_);
}

std::int32_t ModelWindow::hWnd() {
  faults_.Check("Window.hWnd");
  // The object model's hWnd is a Long, as the 32-bit IDE's handles are.
  return static_cast<std::int32_t>(hWnd_);
}

}  // namespace kv::model
