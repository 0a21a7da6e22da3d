// The add-in's connection class: what happens when the IDE connects the
// add-in (menus, hot keys, the add-in list entry) and when it disconnects it.
#pragma once

#include <cstdint>

#include "host/VBIDE.h"

namespace kv {

class Globals;

// Why the IDE connects the add-in (every mode is handled the same way).
enum class ConnectMode : std::int32_t { AfterStartup = 0, Startup = 1, External = 2, CommandLine = 3 };
// Why the IDE disconnects it (not used).
enum class DisconnectMode : std::int32_t { HostShutdown = 0, UserClosed = 1 };

class Connect {
 public:
  explicit Connect(Globals& g) : g_(g) {}

  // Keeps the IDE's root object, builds the menus, registers the hot keys and
  // writes the add-in list entry. An IDE without some command bar still gets
  // everything else. When the root object is missing, its error is shown in a
  // message box of its own and nothing else happens.
  void AddinInstance_OnConnection(vbide::VBE* Application, ConnectMode mode = ConnectMode::AfterStartup);
  // Disconnects and drops the click sinks, removes every control tagged
  // "Kestrova", releases the hot keys and gives the hot-key window its own
  // procedure back; every error is ignored.
  void AddinInstance_OnDisconnection(DisconnectMode mode = DisconnectMode::UserClosed);

 private:
  Globals& g_;
};

// Writes Kestrova=0 into section "Add-Ins32" of "vbaddin.ini" in the Windows
// directory; the result is ignored.
void s_WriteAddinIni(Globals& g);

}  // namespace kv
