// The about window on the terminal: the name and version, the home page's
// address and the OK button in a box in the middle of the screen.
//
// The address is a link: Tab moves between it and OK; Enter or Space on the
// address opens the page (the window stays), on OK closes the window; Esc
// closes it too. A click does the same.
#pragma once

#include "cli/TerminalUi.h"
#include "support/text/VbText.h"

namespace kv {
class frmAbout;
}

namespace kv::cli::tui {

// Which of the two stops has the focus.
enum class AboutFocus { Address, Ok };

// Applies one key to the window.
void HandleAboutKey(frmAbout& window, AboutFocus& focus, const Key& key);

// Shows the window until it is closed. `status` is shown under the box and
// may change while the window runs (the opener of the address says there
// what it did). The last line shows the keys, in Chinese when `chinese`.
void RunAboutScreen(frmAbout& window, Screen& screen, const VbString& status, bool chinese);

}  // namespace kv::cli::tui
