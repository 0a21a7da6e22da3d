// Clearing the Immediate window by synthesised keystrokes, and the two
// keystroke routines it uses.
#pragma once

#include <cstdint>

#include "organize/modOrganize.h"

namespace kv {

// Command 1. Returns Epilogue::None when the IDE has no Immediate window.
Epilogue s_ClearImmediateWindow(CommandContext& ctx);
// One press of a key: a single SendInput call with key down and key up.
void s_PressKey(Globals& g, std::int32_t key);
// Ctrl plus a key, as four SendInput calls with 10 ms pauses between them.
void s_PressCtrlKey(Globals& g, std::int32_t key);

}  // namespace kv
