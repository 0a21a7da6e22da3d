// The options window.
#pragma once

namespace kv {

class Globals;

class frmOptions {
 public:
  explicit frmOptions(Globals& g);

 private:
  Globals& g_;
};

// Command 19: shows the options window modeless, creating it if needed.
void ShowOptionsWindow(Globals& g);

}  // namespace kv
