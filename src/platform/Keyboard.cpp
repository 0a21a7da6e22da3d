// Keyboard input: scan codes, the synthesised key events and the message
// loop that hands them to the focused window, and the virtual clock of Sleep.
//
// keybd_event and SendInput only append to the input queue, as on Windows;
// nothing reaches a window until DoEvents runs the message loop. The loop
// sends each event to whichever window has the focus at that moment, so a
// focus change between queueing and delivery decides who gets the keys.
#include <array>

#include "platform/PlatformState.h"

namespace kv::platform {

namespace {

// Set-1 scan codes of a US keyboard, by virtual key, as MapVirtualKeyA(vk, 0)
// gives them (left-hand codes for the generic Shift, Ctrl and Alt keys).
constexpr std::array<std::uint8_t, 256> MakeScanCodes() {
  std::array<std::uint8_t, 256> scan{};
  scan[0x08] = 0x0E;                                                                   // Backspace
  scan[0x09] = 0x0F;                                                                   // Tab
  scan[0x0D] = 0x1C;                                                                   // Enter
  scan[0x10] = 0x2A;                                                                   // Shift
  scan[0x11] = 0x1D;                                                                   // Ctrl
  scan[0x12] = 0x38;                                                                   // Alt
  scan[0x14] = 0x3A;                                                                   // Caps Lock
  scan[0x1B] = 0x01;                                                                   // Esc
  scan[0x20] = 0x39;                                                                   // Space
  const std::uint8_t navigation[] = {0x49, 0x51, 0x4F, 0x47, 0x4B, 0x48, 0x4D, 0x50};  // PgUp..Down
  for (int i = 0; i < 8; ++i) scan[0x21 + i] = navigation[i];
  scan[0x2D] = 0x52;                                                                  // Insert
  scan[0x2E] = 0x53;                                                                  // Delete
  for (int d = 1; d <= 9; ++d) scan[0x30 + d] = static_cast<std::uint8_t>(0x01 + d);  // 1..9
  scan[0x30] = 0x0B;                                                                  // 0
  const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  const std::uint8_t rowStart[] = {0x10, 0x1E, 0x2C};
  for (int r = 0; r < 3; ++r) {
    for (int i = 0; rows[r][i] != 0; ++i) scan[static_cast<std::uint8_t>(rows[r][i])] = rowStart[r] + i;
  }
  const std::uint8_t numpad[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};  // 0..9
  for (int d = 0; d <= 9; ++d) scan[0x60 + d] = numpad[d];
  scan[0x6A] = 0x37;                                                                  // numpad *
  scan[0x6B] = 0x4E;                                                                  // numpad +
  scan[0x6D] = 0x4A;                                                                  // numpad -
  scan[0x6E] = 0x53;                                                                  // numpad .
  scan[0x6F] = 0x35;                                                                  // numpad /
  for (int f = 0; f < 10; ++f) scan[0x70 + f] = static_cast<std::uint8_t>(0x3B + f);  // F1..F10
  scan[0x7A] = 0x57;                                                                  // F11
  scan[0x7B] = 0x58;                                                                  // F12
  scan[0xA0] = 0x2A;                                                                  // left Shift
  scan[0xA1] = 0x36;                                                                  // right Shift
  scan[0xA2] = 0x1D;                                                                  // left Ctrl
  scan[0xA3] = 0x1D;                                                                  // right Ctrl
  scan[0xA4] = 0x38;                                                                  // left Alt
  scan[0xA5] = 0x38;                                                                  // right Alt
  const std::uint8_t punctuation[] = {0x27, 0x0D, 0x33, 0x0C, 0x34, 0x35, 0x29};      // ; = , - . / `
  for (int i = 0; i < 7; ++i) scan[0xBA + i] = punctuation[i];
  scan[0xDB] = 0x1A;  // [
  scan[0xDC] = 0x2B;  // backslash
  scan[0xDD] = 0x1B;  // ]
  scan[0xDE] = 0x28;  // '
  return scan;
}

constexpr std::array<std::uint8_t, 256> kScanCodes = MakeScanCodes();

// The lParam of WM_KEYDOWN/WM_KEYUP: repeat count 1, the scan code in bits
// 16-23, and for a key-up the previous-state and transition bits 30 and 31.
LPARAM KeyMessageParam(const KeyEvent& event) {
  std::uint32_t packed = 1u | (std::uint32_t{event.scan & 0xFFu} << 16);
  if (event.up) packed |= 0xC0000000u;
  return static_cast<LPARAM>(packed);
}

}  // namespace

std::uint32_t HeadlessPlatform::MapVirtualKeyA(std::uint32_t code, std::uint32_t mapType) const {
  if (mapType != MAPVK_VK_TO_VSC || code >= kScanCodes.size()) return 0;
  return kScanCodes[code];
}

void HeadlessPlatform::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags, std::uint32_t) {
  KeyEvent event{vk, scan, (flags & KEYEVENTF_KEYUP) != 0, KeyEvent::Source::KeybdEvent};
  state_->pending.push_back(event);
  state_->inputLog.push_back(event);
}

std::uint32_t HeadlessPlatform::SendInput(std::uint32_t count, const INPUT* inputs, std::int32_t size) {
  // A record size other than the platform's own means the caller's layout is
  // wrong: nothing is inserted, as on Windows.
  if (size != static_cast<std::int32_t>(sizeof(INPUT)) || (count > 0 && inputs == nullptr)) return 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    const INPUT& input = inputs[i];
    // Mouse and hardware records are inserted too but move nothing here.
    if (input.type != INPUT_KEYBOARD) continue;
    KeyEvent event{input.ki.wVk, input.ki.wScan, (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0,
                   KeyEvent::Source::SendInput};
    state_->pending.push_back(event);
    state_->inputLog.push_back(event);
  }
  return count;
}

void HeadlessPlatform::DoEvents() {
  // A window procedure may queue more keys or call DoEvents itself; taking
  // one event at a time keeps the order either way.
  while (!state_->pending.empty()) {
    KeyEvent event = state_->pending.front();
    state_->pending.pop_front();
    HWND focus = state_->focus;
    if (focus == 0) continue;  // no window has the focus: the key is lost
    SendMessageA(focus, event.up ? WM_KEYUP : WM_KEYDOWN, event.vk, KeyMessageParam(event));
  }
}

const std::vector<KeyEvent>& HeadlessPlatform::InputLog() const { return state_->inputLog; }

std::size_t HeadlessPlatform::PendingInput() const { return state_->pending.size(); }

void HeadlessPlatform::Sleep(std::uint32_t milliseconds) {
  state_->sleeps.push_back(milliseconds);
  state_->clock += milliseconds;
}

const std::vector<std::uint32_t>& HeadlessPlatform::Sleeps() const { return state_->sleeps; }

std::uint32_t HeadlessPlatform::GetTickCount() const { return state_->clock; }

}  // namespace kv::platform
