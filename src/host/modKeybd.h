// Key synthesis for the hot keys that stand for one of the IDE's own key
// combinations: the keys go into the keyboard input queue with keybd_event,
// as if typed, and the IDE then processes its pending messages.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace kv {

class Globals;

// One key event with the scan code MapVirtualKeyA gives for the key.
void s_KeybdEvent(Globals& g, std::uint8_t vk, bool up);
// Presses the keys in order, releases them in the reverse order, then lets
// the IDE process its pending messages.
void s_SendChord(Globals& g, std::initializer_list<std::uint8_t> keys);

}  // namespace kv
