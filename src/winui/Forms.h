// The three windows of the add-in as Win32 windows, each in front of its
// view model. InstallWindows creates them when the models ask to be shown.
#pragma once

#include <windows.h>

#include "support/frmProgress.h"
#include "winui/FormWindow.h"

namespace kv {
class Globals;
class frmOptions;
class frmAbout;
}  // namespace kv

namespace kv::winui {

class OptionsWindow final : public FormWindow {
 public:
  // Creates the window for a loaded, activated model and shows it active.
  explicit OptionsWindow(frmOptions& model, bool chinese);
  ~OptionsWindow() override;
  const frmOptions& Model() const { return model_; }

 private:
  void Command(std::size_t index, int code) override;
  void CloseRequested() override;
  void Destroyed() override;
  // Closes the window once the model has unloaded itself (Save, Cancel).
  void CloseIfUnloaded();

  frmOptions& model_;
};

class AboutWindow final : public FormWindow {
 public:
  explicit AboutWindow(frmAbout& model, bool chinese);
  ~AboutWindow() override;
  const frmAbout& Model() const { return model_; }

 private:
  void Command(std::size_t index, int code) override;
  void CloseRequested() override;
  void Destroyed() override;

  frmAbout& model_;
};

// Draws the progress window of the add-in: a message line, a bar and its
// percentage. Each repaint the model asks for redraws at once and then
// handles the messages waiting for this window and the paint messages of the
// thread's other windows, so the host's windows keep being drawn while a
// long command holds the thread; input waits until the command ends.
class ProgressWindow final : public ProgressRenderer {
 public:
  explicit ProgressWindow(const Globals& g) : g_(g) {}
  ~ProgressWindow() override;
  void Repaint(const frmProgress& model) override;
  void Unloaded() override;
  HWND Handle() const { return window_; }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void Create();
  void Pump();

  const Globals& g_;
  HWND window_ = nullptr;
  HWND message_ = nullptr;
  HWND bar_ = nullptr;
  HWND percent_ = nullptr;
  HFONT font_ = nullptr;
};

}  // namespace kv::winui
