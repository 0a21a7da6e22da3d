// The add-in's own windows on Windows: the options window with its live
// example, the about window and the progress window, drawn with the standard
// Win32 controls.
//
// The windows' view models (frmOptions, frmAbout, frmProgress) decide
// everything: texts, corrections, the example, what Save writes. This front
// end only creates the controls, shows the models' state and passes the
// user's input on to the models' events, like the terminal front end of the
// command line does.
//
// This header does not include <windows.h>, so that code which also sees the
// platform interface (whose names <windows.h> defines as macros) can install
// the windows.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

namespace kv {
class Globals;
struct FormControl;
}  // namespace kv

namespace kv::winui {

// The window classes, for a program that looks for the windows.
inline constexpr wchar_t kOptionsClass[] = L"KestrovaOptions";
inline constexpr wchar_t kAboutClass[] = L"KestrovaAbout";
inline constexpr wchar_t kProgressClass[] = L"KestrovaProgress";

// The windows installed into one add-in's state. Destroying it closes any
// window still open (an open options window as by Cancel), unloads the
// progress window and takes the hooks out of the state again; it must go
// before the Globals it was installed into.
class InstalledWindows {
 public:
  virtual ~InstalledWindows() = default;
  // Runs the thread's message loop until none of the options and about
  // windows is open: for a program that has no message loop of its own.
  virtual void RunUntilClosed() = 0;
};

// Sets the window host (showOptions, showAbout) and the progress renderer of
// `g`, registers the window classes in the module that holds this code and
// hooks the thread's messages so that Tab, Enter, Esc and the access keys
// work in the modeless windows whatever message loop runs them.
std::unique_ptr<InstalledWindows> InstallWindows(Globals& g);

// The child-window id of a control of a window's view model: IDOK for the
// window's Save or OK button, IDCANCEL for its Cancel button, otherwise 1000
// plus the control's place in the list. 0 for a name the list lacks.
int ControlId(const std::vector<FormControl>& controls, std::string_view name);

}  // namespace kv::winui
