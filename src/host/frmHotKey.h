// The hidden hot-key window: it exists for its window handle, for which the
// global hot keys are registered and whose window procedure the add-in
// replaces to see the hot-key messages.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace kv {

class Globals;

class frmHotKey {
 public:
  explicit frmHotKey(Globals& g);
  ~frmHotKey();

  platform::HWND hWnd() const { return hWnd_; }

  // (Re)registers the hot keys from the settings.
  void s_chkHotKey();
  // Unregisters hot keys 1 to 7.
  void s_unHotKey();

 private:
  Globals& g_;
  platform::HWND hWnd_ = 0;
};

// The hot-key window of the add-in, created on first use.
frmHotKey& HotKeyWindow(Globals& g);

}  // namespace kv
