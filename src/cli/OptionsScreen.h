// The options window on the terminal: it lays out and draws the controls of
// the window's view model (the two groups, the example in white on black,
// the language group, Save and Cancel) and turns keys and clicks into the
// window's own events. The window decides everything else: the corrections,
// the example, what Save writes.
//
// Keys: Tab and Shift+Tab move through the controls in tab order; Space
// ticks a check box or presses a button; typing edits a box; Left, Right,
// Home, End move in a box (Up and Down too in the custom text); Left and
// Right choose the language; Enter presses the focused button (and starts a
// new line in the custom text); Esc or Ctrl+C cancels.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "cli/TerminalUi.h"
#include "support/text/VbText.h"

namespace kv {
class frmOptions;
}

namespace kv::cli::tui {

struct Rect {
  int y = 0;
  int x = 0;
  int height = 1;
  int width = 0;
  bool Contains(int py, int px) const { return py >= y && py < y + height && px >= x && px < x + width; }
};

struct OptionsLayout {
  int needColumns = 0;
  int needLines = 0;
  bool fits = false;
  // Where each control stands; for a control that can be clicked, the area
  // that takes the click.
  std::vector<std::pair<std::string_view, Rect>> places;

  const Rect* Of(std::string_view name) const;
  // The control under a cell, preferring those that take clicks; empty when
  // none.
  std::string_view At(int y, int x) const;
};

// Places the window's controls on a terminal of that size. The sizes follow
// the captions of the window's language.
OptionsLayout LayoutOptions(const frmOptions& window, int columns, int lines);

// Applies one key to the window.
void HandleOptionsKey(frmOptions& window, const Key& key);

// Shows the window on the screen and runs it until Save or Cancel closes it.
// `messages` collects the texts of message boxes the window raises meanwhile
// (a refused Save); each is shown over the window until dismissed. `chinese`
// chooses the language of the screen's own help line.
void RunOptionsScreen(frmOptions& window, Screen& screen, std::vector<VbString>& messages, bool chinese);

// Shows a message box ("Kestrovaer", the text, OK) over the screen until a
// key dismisses it.
void ShowMessage(Screen& screen, VbStringView text);

}  // namespace kv::cli::tui
