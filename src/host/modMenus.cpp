// Placeholder: the menus arrive with their own change.
#include "host/modMenus.h"

namespace kv {
void s_AddMenus(Globals&) {}
void s_AddMenuItems(Globals&, vbide::ControlPtr&, std::int16_t&) {}
void s_RemoveMenus(Globals&) {}
}  // namespace kv
