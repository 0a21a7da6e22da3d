// A top-level Win32 window built from a view model's controls: one child
// window per control, placed by a table in twips and scaled by the screen's
// DPI, with the fonts of the UI language. The window behaves as a dialog
// (its class has the dialog extra bytes and falls back on DefDlgProcW), so
// Tab, Enter, Esc and the access keys work once IsDialogMessageW sees its
// keys; InstallWindows hooks the thread's messages for that.
//
// Subclasses pass the controls' notifications on to their view model and
// call Sync() after each, which shows the model's state again.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/FormControl.h"
#include "support/text/VbText.h"

namespace kv::winui {

// Where a control stands: client coordinates in twips.
struct Place {
  std::string_view name;
  int x, y, width, height;
};

// Twips to pixels at the screen's DPI.
struct Scale {
  int dpiX = 96;
  int dpiY = 96;
  int X(int twips) const { return MulDiv(twips, dpiX, 1440); }
  int Y(int twips) const { return MulDiv(twips, dpiY, 1440); }
  static Scale OfScreen();
};

std::wstring Wide(VbStringView text);
VbString WindowText(HWND window);
// The entries of a list box or a combo box.
std::vector<VbString> ListItems(HWND list);
// The font of the windows' texts: the system's dialog (message) font for
// English; for Chinese "Microsoft YaHei UI" where it is installed, else
// "SimSun", 9 points, asking for the Chinese character set so that the font
// mapper picks a font that has the characters.
HFONT CreateUiFont(bool chinese, const Scale& scale);
HFONT CreatePointFont(const wchar_t* face, double points, const Scale& scale, bool bold = false,
                      bool underline = false);
// The module (DLL or program) this code is linked into.
HINSTANCE ThisModule();
// Registers a dialog-like window class of this module; the window procedure
// is FormWindow's. Returns false only when registering failed.
bool RegisterFormClass(const wchar_t* name, WNDPROC proc);

class FormWindow {
 public:
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  virtual ~FormWindow();

  HWND Handle() const { return window_; }
  bool Open() const { return window_ != nullptr; }
  HWND Child(std::string_view name) const;
  // Shows the window in front and active.
  void BringForward();
  // Destroys the window (the model is not told).
  void Destroy();

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  FormWindow(const std::vector<FormControl>& controls, bool chinese);
  // Creates the window centred on the screen and its controls; the window
  // is created hidden.
  void Create(const wchar_t* className, std::span<const Place> places, int clientWidth, int clientHeight);
  // Shows the state of the model's controls.
  void Sync();
  const FormControl& ControlAt(std::size_t index) const { return controls_[index]; }
  // Shows a label as a link: underlined, blue, with the hand cursor.
  void MakeLink(std::string_view name);

  // A notification of control `index` (WM_COMMAND's code).
  virtual void Command(std::size_t index, int code) = 0;
  // The close box, Alt+F4, or Esc in a window without a Cancel button.
  virtual void CloseRequested() = 0;
  // The window is being destroyed, whoever destroys it.
  virtual void Destroyed() {}

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HFONT FontFor(const FormControl& c);
  void AddToolTip(HWND child, const VbString& text);

  const std::vector<FormControl>& controls_;
  bool chinese_;
  Scale scale_;
  HWND window_ = nullptr;
  HWND toolTips_ = nullptr;
  std::vector<HWND> children_;  // parallel to controls_, the window's own entry null
  std::vector<HWND> links_;
  std::vector<HFONT> fonts_;    // owned: [0] the UI font
  HBRUSH black_ = nullptr;
  bool syncing_ = false;
};

}  // namespace kv::winui
