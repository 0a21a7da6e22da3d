// The about window.
#pragma once

namespace kv {

class Globals;

class frmAbout {
 public:
  explicit frmAbout(Globals& g);

 private:
  Globals& g_;
};

// Command 18: shows the about window modeless, creating it if needed.
void ShowAboutWindow(Globals& g);

}  // namespace kv
