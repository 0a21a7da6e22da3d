// The options window on the terminal: it lays out and draws the controls of
// the window's view model and turns keys and clicks into the window's own
// events. The window decides everything else: the corrections, the example,
// what Save writes.
//
// It fits 80 columns by 24 lines in both languages: the two groups are tabs
// (the page shown is the one of the focused control), the example scrolls,
// Save and Cancel stand below the page with the tooltip of the focused
// control beside them, and the key help takes the last line.
//
// Keys: Tab and Shift+Tab move through the controls in tab order, across
// the pages; Space ticks a check box or presses a button; typing edits a
// box; Left, Right, Home, End move in a box (Up and Down too in the custom
// text); Left and Right choose the language; Enter presses the focused
// button (and starts a new line in the custom text); PgUp and PgDn scroll
// the example; Alt+letter is the access key of a caption (Esc and the letter
// within the escape delay); a lone Esc or Ctrl+C cancels.
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

// The pages: the controls of the indentation group, and of the other group.
inline constexpr int kIndentPage = 0;
inline constexpr int kOtherPage = 1;

struct OptionsLayout {
  int needColumns = 0;
  int needLines = 0;
  bool fits = false;
  int page = kIndentPage;
  // The page tabs, by page, in the top edge of the group box.
  Rect tabs[2];
  // Where the tooltip of the focused control goes.
  Rect toolTip;
  int helpLine = 0;
  // Where each control stands; for a control that can be clicked, the area
  // that takes the click.
  std::vector<std::pair<std::string_view, Rect>> places;

  const Rect* Of(std::string_view name) const;
  // The control under a cell, preferring those that take clicks; empty when
  // none.
  std::string_view At(int y, int x) const;
};

// The page a control stands on; -1 for the window and the buttons, which
// stand below every page.
int PageOf(const frmOptions& window, std::string_view name);

// Places the window's controls of one page on a terminal of that size. The
// sizes follow the captions of the window's language.
OptionsLayout LayoutOptions(const frmOptions& window, int columns, int lines, int page = kIndentPage);

// Applies one key to the window.
void HandleOptionsKey(frmOptions& window, const Key& key);

// Alt+letter: the control whose caption has that access key. A check box
// is clicked, a button pressed; a group box or a label gives the focus to
// the next control in tab order that takes it. False when no caption has it.
bool PressAccessKey(frmOptions& window, char32_t letter);

// The notice shown when the terminal is smaller than the window, as lines
// of at most `columns` columns.
std::vector<VbString> TooSmallNotice(const OptionsLayout& layout, int columns, int lines, bool chinese);

// Shows the window on the screen and runs it until Save or Cancel closes it.
// `messages` collects the texts of message boxes the window raises meanwhile
// (a refused Save); each is shown over the window until dismissed. `chinese`
// chooses the language of the screen's own help line.
void RunOptionsScreen(frmOptions& window, Screen& screen, std::vector<VbString>& messages, bool chinese);

// Shows a message box ("Kestrovaer", the text, OK) over the screen until a
// key dismisses it.
void ShowMessage(Screen& screen, VbStringView text);

}  // namespace kv::cli::tui
