// The connection and disconnection events.
#include "host/Connect.h"

#include "host/CBtnEvents.h"
#include "host/frmHotKey.h"
#include "host/modMenus.h"
#include "platform/Platform.h"
#include "support/modGlobals.h"

namespace kv {

void Connect::AddinInstance_OnConnection(vbide::VBE* Application, ConnectMode /*mode*/) {
  try {
    if (!Application) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
    g_.gVBE = Application;
    s_AddMenus(g_);
    s_WriteAddinIni(g_);
  } catch (const VbError& error) {
    g_.platform.MsgBox(error.Description());
  }
}

void Connect::AddinInstance_OnDisconnection(DisconnectMode /*mode*/) {
  s_RemoveMenus(g_);
  g_.colBtnEvents.clear();
  // The add-in's code may be unloaded after this: no hot key may reach its
  // window procedure any more.
  if (g_.hotKeyWindow) ResumeNext([&] { g_.hotKeyWindow->s_ReleaseHotKeys(); });
}

void s_WriteAddinIni(Globals& g) {
  g.platform.WritePrivateProfileStringA("Add-Ins32", "Kestrova", "0", "vbaddin.ini");
}

}  // namespace kv
