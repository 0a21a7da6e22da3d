// The options window: every option of the settings store in one dialog, with
// a live example of the indentation options.
//
// This is the window as a view model, free of any toolkit: the controls with
// their texts, input limits, enabled states and tab order, and the window's
// event handlers under their own names. Changing a property the way a toolkit
// would (SetText, SetValue, the user's typing) raises the handler the toolkit
// would raise, so a front end only draws the controls and forwards keys.
//
// The controls are the edited copy of the options until Save writes all of
// them; Cancel writes nothing. Only the first showing loads the stored values:
// a window that becomes active again keeps the user's unsaved edits.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "support/FormControl.h"
#include "support/text/VbText.h"

namespace kv {

class Globals;

// One option key: the control that edits it and the default the window reads
// it with. An indentation option's default is the one the indentation routine
// reads it with, so that the window shows what Indent Module will do and Save
// without a change changes nothing.
struct OptionKey {
  VbStringView key;
  std::string_view control;
  VbStringView windowDefault;
};

// The twenty-one option keys in the order Save writes them.
extern const std::array<OptionKey, 21> kOptionKeys;
// The key of that name, in any letter case; null when there is none.
const OptionKey* FindOptionKey(VbStringView key);

// The correction of a number box: empty stays empty; a text that is not a
// number becomes empty; otherwise the absolute value rounded to a whole
// number (halves to even), or empty when that exceeds `limit`.
VbString CorrectNumberText(VbStringView text, int limit);

class frmOptions {
 public:
  static constexpr int kSpacesLimit = 10;
  static constexpr int kColumnLimit = 100;
  static constexpr int kLineNumberLimit = 10000;
  static constexpr std::size_t kCustomTextLimit = 255;

  // Loads the window: every control with its design text.
  explicit frmOptions(Globals& g);
  frmOptions(const frmOptions&) = delete;
  frmOptions& operator=(const frmOptions&) = delete;

  // ---- The window ----
  // Shows the window modeless; the first showing activates it (loads the
  // options). The window host, when there is one, presents it.
  void Show();
  // Closes the window; a closed window is never shown again.
  void Unload();
  bool Visible() const { return visible_; }
  bool Loaded() const { return loaded_; }
  bool Activated() const { return activated_; }
  // Whether Save wrote the options (the window then closed).
  bool Saved() const { return saved_; }
  VbStringView Caption() const { return Control("frmOptions").text; }

  // ---- Controls ----
  // The window first, then every control in tab order.
  const std::vector<FormControl>& Controls() const { return controls_; }
  // The control of that name; throws std::out_of_range for an unknown name.
  const FormControl& Control(std::string_view name) const;

  // ---- Properties set from code, raising the events a toolkit raises ----
  // A text box's Change runs when its text changes.
  void SetText(std::string_view name, VbStringView text);
  // A check box's Click runs when its value changes.
  void SetValue(std::string_view name, int value);
  void SetListIndex(std::string_view name, int index);
  void SetSelection(std::string_view name, std::size_t start, std::size_t length);

  // ---- The user's input ----
  const FormControl* ActiveControl() const;
  // Gives the focus to a control that can take it; false otherwise.
  bool SetFocus(std::string_view name);
  // Tab and Shift+Tab: the next control in tab order that can take the focus.
  // A single-line text box reached this way has its whole text selected.
  void FocusNext(bool forward = true);
  // Typing or pasting into the focused text box: replaces the selection with
  // as much of `text` as the input limit leaves room for.
  void Type(VbStringView text);
  void Backspace();
  void DeleteForward();
  // A click on a control (or Space on a focused check box or button): a check
  // box toggles, a button is pressed, the "=" label selects the custom text.
  // A control that can take the focus gets it first. Disabled controls ignore
  // the click.
  void Click(std::string_view name);

  // ---- The window's events ----
  // Loads captions and options; runs on the first showing only.
  void Form_Activate();
  void tbSpaceNum_Change();
  void tbAlignCol_Change();
  void LineNumberBox_Change(std::string_view name);
  void cbIndentProc_Click();
  void cbIndentFirst_Click();
  void cbIndentCmt_Click();
  void cbIndentCase_Click();
  void cbAlignEOL_Click();
  void labIs_Click();
  // Save: writes the twenty-one keys, registers the hot keys again, closes.
  // When a write fails the window stays open with the user's edits and the
  // error is shown; nothing after the failed write is written.
  void cmdOK_Click();
  // Cancel: closes without writing.
  void cmdCancel_Click();
  // Rebuilds the example from the controls and enables the controls that
  // depend on another option.
  void s_ShowExample();

  // The text Save writes for `key`, from the controls as they stand.
  VbString SaveText(const OptionKey& key) const;
  // The value of `key`'s control as the window shows it: the text of a text
  // box, "Y"/"N" for a check box, the entry of the language list.
  VbString ShownText(const OptionKey& key) const;
  // Enters `value` into `key`'s control as the user would (a paste into a text
  // box, a tick, a choice of entry) and returns the text Save would write for
  // it. Empty when the control cannot hold the value: a check box takes "Y"
  // or "N", the language list "0", "1" or an entry's text.
  std::optional<VbString> EnterValue(const OptionKey& key, VbStringView value);

  // How often the example was rebuilt since the window was loaded.
  int ExampleBuilds() const { return exampleBuilds_; }

 private:
  FormControl& Mutable(std::string_view name);
  void RaiseChange(const FormControl& control);
  void RaiseClick(const FormControl& control);
  void ReplaceSelection(FormControl& box, VbStringView insert);
  void CorrectNumberBox(std::string_view name, int limit);

  Globals& g_;
  std::vector<FormControl> controls_;
  std::string_view focus_;
  bool visible_ = false;
  bool loaded_ = true;
  bool activated_ = false;
  bool saved_ = false;
  int exampleBuilds_ = 0;
};

// Command 19: shows the options window modeless. A window closed by Save or
// Cancel is replaced by a fresh one.
void ShowOptionsWindow(Globals& g);

}  // namespace kv
