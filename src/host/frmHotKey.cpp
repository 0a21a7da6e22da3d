// Placeholder: the hot keys arrive with their own change.
#include "host/frmHotKey.h"

#include "support/modGlobals.h"

namespace kv {
frmHotKey::frmHotKey(Globals& g) : g_(g) {}
frmHotKey::~frmHotKey() = default;
void frmHotKey::s_chkHotKey() {}
void frmHotKey::s_unHotKey() {}
frmHotKey& HotKeyWindow(Globals& g) {
  if (!g.hotKeyWindow) g.hotKeyWindow = std::make_unique<frmHotKey>(g);
  return *g.hotKeyWindow;
}
}  // namespace kv
