// The hidden hot-key window: it exists for its window handle, for which the
// global hot keys are registered and whose window procedure the add-in
// replaces to see the hot-key messages.
#pragma once

#include <cstdint>

#include "platform/Platform.h"
#include "support/text/VbText.h"

namespace kv {

class Globals;

class frmHotKey {
 public:
  explicit frmHotKey(Globals& g);
  ~frmHotKey();
  frmHotKey(const frmHotKey&) = delete;
  frmHotKey& operator=(const frmHotKey&) = delete;

  platform::HWND hWnd() const { return hWnd_; }

  // (Re)registers the hot keys from the settings; replaces the window
  // procedure the first time only.
  void s_chkHotKey();
  // Unregisters hot keys 1 to 7; the window procedure stays replaced.
  void s_unHotKey();
  // Unregisters hot keys 1 to 7 and gives the window its own procedure back,
  // before the add-in's code may go away (disconnection).
  void s_ReleaseHotKeys();

 private:
  Globals& g_;
  platform::HWND hWnd_ = 0;
};

// The hot-key window of the add-in, created on first use.
frmHotKey& HotKeyWindow(Globals& g);

// The virtual key of a Ctrl+letter hot key: the setting's first character in
// upper case, or `fallback` when the setting is empty or its first character
// is not A-Z or 0-9.
std::uint8_t HotKeyLetter(VbStringView setting, char16_t fallback);

}  // namespace kv
