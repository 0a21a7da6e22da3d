// Placeholder: clearing the Immediate window arrives with its own change.
#include "organize/modSendKeys.h"

namespace kv {
Epilogue s_ClearImmediateWindow(CommandContext&) { return Epilogue::Normal; }
void s_PressKey(Globals&, std::int32_t) {}
void s_PressCtrlKey(Globals&, std::int32_t) {}
}  // namespace kv
