// The about window: the add-in's name and version, the address of its home
// page, which opens in the browser when clicked, and an OK button.
//
// A toolkit-free view model, like the options window: the controls with their
// texts in both languages and the window's event handlers.
#pragma once

#include <string_view>
#include <vector>

#include "support/FormControl.h"
#include "support/text/VbText.h"

namespace kv {

class Globals;

// The project's home page: the caption of the address label and the page it
// opens.
inline constexpr std::string_view kHomePage = "https://kestrova.example/";

class frmAbout {
 public:
  // Loads the window (Form_Load).
  explicit frmAbout(Globals& g);
  frmAbout(const frmAbout&) = delete;
  frmAbout& operator=(const frmAbout&) = delete;

  // Shows the window modeless; the window host, when there is one, presents it.
  void Show();
  void Unload();
  bool Visible() const { return visible_; }
  bool Loaded() const { return loaded_; }
  VbStringView Caption() const { return Control("frmAbout").text; }

  // The window first, then its controls.
  const std::vector<FormControl>& Controls() const { return controls_; }
  // Throws std::out_of_range for an unknown name.
  const FormControl& Control(std::string_view name) const;

  void Form_Load();
  // Opens the home page and leaves the window open.
  void lblURL_Click();
  void btnOK_Click();

 private:
  FormControl& Mutable(std::string_view name);

  Globals& g_;
  std::vector<FormControl> controls_;
  bool visible_ = false;
  bool loaded_ = true;
};

// Command 18: shows the about window modeless. A window closed by its OK
// button is replaced by a fresh one.
void ShowAboutWindow(Globals& g);

}  // namespace kv
