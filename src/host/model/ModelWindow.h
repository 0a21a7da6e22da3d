// A window of the in-memory IDE: the Immediate window, a code pane's window,
// the project and properties windows.
//
// Each is a platform window with a handle, so it can take the focus and
// receive the key events the platform's message loop delivers. The keys the
// IDE's editors answer are Ctrl+A (select all) and Delete (delete the
// selection): the Immediate window applies them to its own text, a code
// window hands them to its pane. Every key message is also recorded.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "host/VBIDE.h"
#include "platform/Platform.h"

namespace kv::model {

class Faults;

struct KeyMessage {
  std::uint32_t message = 0;  // WM_KEYDOWN or WM_KEYUP
  std::int32_t vk = 0;
  friend bool operator==(const KeyMessage&, const KeyMessage&) = default;
};

// What a window's editor does with the keys it understands.
struct KeyEditor {
  std::function<void()> selectAll;
  std::function<void()> deleteSelection;
};

class ModelWindow final : public vbide::Window {
 public:
  ModelWindow(platform::Platform& platform, Faults& faults, vbide::WindowType type, VbString caption, bool visible);
  ~ModelWindow() override;
  ModelWindow(const ModelWindow&) = delete;
  ModelWindow& operator=(const ModelWindow&) = delete;

  platform::HWND Handle() const { return hWnd_; }
  vbide::WindowType Kind() const { return type_; }
  bool IsVisible() const;
  void SetVisible(bool visible);
  // Gives the window the focus, as a click on it would; false when hidden.
  bool Focus();
  bool HasFocus() const;

  // The text the window shows (the Immediate window's output).
  const VbString& Text() const { return text_; }
  void SetText(VbString text) { text_ = std::move(text); }
  // Whether Ctrl+A has selected the whole text, which Delete then removes.
  bool AllSelected() const { return allSelected_; }
  // Hands the window's keys to another editor (a code pane's).
  void SetKeyEditor(KeyEditor editor) { editor_ = std::move(editor); }
  const std::vector<KeyMessage>& ReceivedKeys() const { return keys_; }

  // ---- vbide::Window ----
  vbide::WindowType Type() override;
  VbString Caption() override;
  bool Visible() override;
  void SetFocus() override;
  std::int32_t hWnd() override;

 private:
  platform::LRESULT OnMessage(std::uint32_t message, platform::WPARAM wParam);

  platform::Platform& platform_;
  Faults& faults_;
  vbide::WindowType type_;
  VbString caption_;
  platform::HWND hWnd_ = 0;
  VbString text_;
  bool controlDown_ = false;
  bool allSelected_ = false;
  KeyEditor editor_;
  std::vector<KeyMessage> keys_;
};

}  // namespace kv::model
