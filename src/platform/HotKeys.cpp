// System-wide hot keys: registration per window and id, combinations held by
// other programs, and the user pressing a combination.
//
// A combination belongs to at most one registration in the whole system; a
// press of a registered combination becomes message 786 at the registering
// window and never reaches the focused window. A press of a free combination
// is an ordinary key press of whichever window has the focus.
#include <algorithm>

#include "platform/PlatformState.h"

namespace kv::platform {

namespace {

// The modifier keys a press holds down around the key itself, outermost first.
constexpr std::pair<std::uint32_t, std::uint8_t> kModifierKeys[] = {
    {MOD_CONTROL, vk::kControl}, {MOD_ALT, 18}, {MOD_SHIFT, 16}};

}  // namespace

bool HeadlessPlatform::RegisterHotKey(HWND window, std::int32_t id, std::uint32_t modifiers, std::uint32_t vk) {
  if (!IsWindow(window)) return false;
  auto& keys = state_->hotKeys;
  auto sameCombination = [&](std::uint32_t m, std::uint32_t v) { return m == modifiers && v == vk; };
  if (std::ranges::any_of(state_->reserved, [&](const auto& held) { return sameCombination(held.first, held.second); }))
    return false;
  if (std::ranges::any_of(keys, [&](const HotKey& key) {
        return (key.window == window && key.id == id) || sameCombination(key.modifiers, key.vk);
      }))
    return false;
  keys.push_back({window, id, modifiers, vk});
  return true;
}

bool HeadlessPlatform::UnregisterHotKey(HWND window, std::int32_t id) {
  return std::erase_if(state_->hotKeys, [&](const HotKey& key) { return key.window == window && key.id == id; }) > 0;
}

void HeadlessPlatform::ReserveHotKey(std::uint32_t modifiers, std::uint32_t vk) {
  state_->reserved.emplace_back(modifiers, vk);
}

bool HeadlessPlatform::PressHotKey(std::uint32_t modifiers, std::uint32_t vk) {
  auto& keys = state_->hotKeys;
  auto it = std::ranges::find_if(keys, [&](const HotKey& key) { return key.modifiers == modifiers && key.vk == vk; });
  if (it != keys.end()) {
    HotKey key = *it;  // the window procedure may unregister it
    auto packed = static_cast<LPARAM>((modifiers & 0xFFFFu) | (vk << 16));
    SendMessageA(key.window, WM_HOTKEY, key.id, packed);
    return true;
  }
  // Another program's combination goes to that program and is gone for us.
  if (std::ranges::find(state_->reserved, std::pair{modifiers, vk}) != state_->reserved.end()) return false;
  auto queue = [&](std::uint32_t key, bool up) {
    auto code = static_cast<std::uint16_t>(key);
    state_->pending.push_back(
        {code, static_cast<std::uint16_t>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), up, KeyEvent::Source::Keyboard});
  };
  for (const auto& [flag, key] : kModifierKeys)
    if (modifiers & flag) queue(key, false);
  queue(vk, false);
  queue(vk, true);
  for (auto m = std::rbegin(kModifierKeys); m != std::rend(kModifierKeys); ++m)
    if (modifiers & m->first) queue(m->second, true);
  return false;
}

std::vector<HotKey> HeadlessPlatform::RegisteredHotKeys() const { return state_->hotKeys; }

}  // namespace kv::platform
