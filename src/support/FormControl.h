// One control of an add-in window, as a toolkit-free view model: what the
// control is, the texts it has in each language, and the state a window
// toolkit would show (text, tick, entries, selection, enabled, tab order).
//
// The windows (frmOptions, frmAbout) own their controls and raise their own
// events when a property changes; a front end (a test, the terminal form)
// only reads the controls and forwards the user's input to the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "support/text/VbText.h"

namespace kv {

enum class ControlKind {
  Window,
  GroupBox,
  ListBox,
  Label,
  TextBox,
  CheckBox,
  DropDownList,
  Button,
};

struct FormControl {
  std::string_view name;       // "tbSpaceNum"
  ControlKind kind = ControlKind::Label;
  std::string_view container;  // the group box that holds it; empty: the window
  int tabIndex = 0;            // position in the window's tab order

  // Texts. `designText` is what the control shows when loaded; the Chinese
  // text, when there is one, replaces it when the window loads in Chinese.
  VbString designText;
  VbString chineseText;        // empty: the design text stays
  VbString designToolTip;
  VbString chineseToolTip;     // empty: the design tooltip stays

  // Presentation.
  std::string_view font;       // empty: the window's font
  bool whiteOnBlack = false;
  bool centred = false;
  bool multiLine = false;

  // State.
  VbString text;               // caption, or the text of a text box
  VbString toolTip;
  std::size_t maxLength = 0;   // input limit of a text box; 0: none
  bool enabled = true;
  int value = 0;               // check box: 1 ticked, 0 cleared
  std::vector<VbString> items; // list box and drop-down list entries
  int listIndex = -1;          // selected entry; -1: none
  std::size_t selStart = 0;    // text box caret, counted in UTF-16 units from 0
  std::size_t selLength = 0;   // length of the selected text

  bool Ticked() const { return value != 0; }
  // Whether the control can take the focus: a tab stop of the window.
  bool TakesFocus() const {
    return enabled && (kind == ControlKind::TextBox || kind == ControlKind::CheckBox ||
                       kind == ControlKind::DropDownList || kind == ControlKind::Button);
  }
};

// The caption without its access-key marker: "&Save" -> "Save", "&&" -> "&".
// `accessKey` receives the position (0-based, in the result) of the character
// the marker underlines, or npos when there is none.
VbString StripAccessKey(VbStringView caption, std::size_t* accessKey = nullptr);

}  // namespace kv
