// The add-in's process-wide state, in one object.
//
// In the IDE this state lives as long as the add-in's DLL is loaded: the root
// object kept at connection, the UI language, the stored caret, the
// indentation flags that outlast a run, the click sinks, the hidden hot-key
// window and the add-in's windows. Here it is one object that every routine
// receives, so a test can start from a fresh add-in and nothing is hidden in
// statics.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/VBIDE.h"

namespace kv {

namespace platform {
class Platform;
using ProcAddress = std::intptr_t;
}
class SettingsStore;
class CBtnEvents;
class frmHotKey;
class frmProgress;
class frmOptions;
class frmAbout;
class ProgressRenderer;

// A code pane's selection: start line, start column, end line, end column.
struct Selection {
  std::int32_t startLine = 0;
  std::int32_t startColumn = 0;
  std::int32_t endLine = 0;
  std::int32_t endColumn = 0;
  friend bool operator==(const Selection&, const Selection&) = default;
};

// The indentation flags that outlast a run of the indentation routine: no run
// resets them.
// One occurrence that Find Words to All (command 10) lists: its module, its
// 1-based line and column in the module's code, and the line's text.
struct FoundWord {
  VbString module;
  std::int32_t line = 0;
  std::int32_t column = 0;
  VbString text;
};

struct IndentFlags {
  bool StatementContinues = false;  // the last code line ended with " _"
  bool IfContinues = false;         // an If head goes on, its Then not seen yet
  bool InTypeOrEnum = false;        // inside a Type or Enum block
};

// Where the add-in's windows are shown. The headless default shows nothing;
// the command line and tests install their own.
struct WindowHost {
  std::function<void(frmOptions&)> showOptions;
  std::function<void(frmAbout&)> showAbout;
};

class Globals {
 public:
  Globals(platform::Platform& platform, SettingsStore& settings);
  Globals(const Globals&) = delete;
  Globals& operator=(const Globals&) = delete;
  ~Globals();

  platform::Platform& platform;
  SettingsStore& settings;

  vbide::VBE* gVBE = nullptr;  // kept from the connection event
  std::int32_t gLanguage = 0;  // 0 English, any other value Simplified Chinese
  Selection SavedSelection;
  IndentFlags indentFlags;
  // The list of the last Find Words to All, in the order of modules and lines.
  std::vector<FoundWord> foundWords;

  // The click sinks, one per control the add-in created; never released
  // while the add-in is loaded.
  std::vector<std::unique_ptr<CBtnEvents>> colBtnEvents;
  // Commands started by a click or a hot key that ended on an object-model
  // error (reported to the user, kept from the IDE); the command line reads
  // it to tell a failed click from a successful one.
  std::int32_t gCommandErrors = 0;
  // Commands the dispatcher has no operation for (it only prepared the
  // module); the command line reads it to say so.
  std::int32_t gCommandsWithoutOperation = 0;

  // The hidden hot-key window and its replaced window procedure.
  std::unique_ptr<frmHotKey> hotKeyWindow;
  std::int16_t gHooked = 0;  // -1 once the window procedure is replaced
  platform::ProcAddress gOldWndProc = 0;

  // The add-in's windows, created on first use.
  std::unique_ptr<frmProgress> progressWindow;
  std::unique_ptr<frmOptions> optionsWindow;
  std::unique_ptr<frmAbout> aboutWindow;

  // Draws the progress window; none draws nothing.
  ProgressRenderer* progressRenderer = nullptr;
  WindowHost windowHost;

  bool IsChinese() const { return gLanguage != 0; }
  // The text of a message in the UI language.
  VbStringView Text(VbStringView english, VbStringView chinese) const { return IsChinese() ? chinese : english; }
  // A message box the way the add-in shows its messages: OK only, no icon,
  // titled "Kestrovaer".
  void Message(VbStringView text);
};

inline constexpr VbStringView kMessageTitle = u"Kestrovaer";
inline constexpr VbStringView kTag = u"Kestrova";

}  // namespace kv
