// The command menus: the command table, the four menu kinds the add-in builds
// in the IDE's command bars, one click sink per control, and their removal.
#pragma once

#include <cstdint>

#include "host/VBIDE.h"

namespace kv {

class Globals;

void s_AddMenus(Globals& g);
void s_AddMenuItems(Globals& g, vbide::ControlPtr& popup, std::int16_t& kind);
void s_RemoveMenus(Globals& g);

}  // namespace kv
