// Starting a menu command from the command line the way a user does: the
// add-in is connected to the session's IDE, the menu control that carries the
// command is clicked, and the add-in is disconnected again, unless the
// session is to serve further targets.
#include "cli/StartCommand.h"

#include "cli/Session.h"
#include "host/Connect.h"
#include "host/modMenus.h"

namespace kv::cli {

bool StartCommand(Session& session, std::int16_t n, bool stayConnected) {
  Globals& g = session.G();
  model::ModelVBE& vbe = session.Vbe();
  Connect connect(g);
  if (!session.connected) connect.AddinInstance_OnConnection(&vbe);
  session.connected = stayConnected;
  const std::int32_t errorsBefore = g.gCommandErrors;
  bool clicked = false;
  if (model::ModelControlPtr control = vbe.Bars().FindByParameter(CommandParameter(n))) {
    try {
      vbe.Click(control);
      clicked = true;
    } catch (const VbError& error) {
      session.Platform().MsgBox(error.Description());
    }
  } else {
    session.Platform().MsgBox(u"No menu control carries command " + ToVb(n) + u".");
  }
  if (!stayConnected) connect.AddinInstance_OnDisconnection();
  return clicked && g.gCommandErrors == errorsBefore;
}

}  // namespace kv::cli
