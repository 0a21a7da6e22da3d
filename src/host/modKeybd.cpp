// Key synthesis with keybd_event.
#include "host/modKeybd.h"

#include <vector>

#include "platform/Platform.h"
#include "support/modGlobals.h"

namespace kv {

void s_KeybdEvent(Globals& g, std::uint8_t vk, bool up) {
  auto scan = static_cast<std::uint8_t>(g.platform.MapVirtualKeyA(vk, platform::MAPVK_VK_TO_VSC));
  g.platform.keybd_event(vk, scan, up ? platform::KEYEVENTF_KEYUP : 0, 0);
}

void s_SendChord(Globals& g, std::initializer_list<std::uint8_t> keys) {
  for (std::uint8_t vk : keys) s_KeybdEvent(g, vk, false);
  std::vector<std::uint8_t> reversed(keys.begin(), keys.end());
  for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) s_KeybdEvent(g, *it, true);
  g.platform.DoEvents();
}

}  // namespace kv
