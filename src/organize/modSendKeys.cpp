// Clearing the Immediate window by synthesised keystrokes: Ctrl+A selects its
// text, Delete removes it.
//
// The keys go to whichever window holds the focus when they are delivered, so
// they are sent only once the Immediate window really has it: a hidden window
// or one that refuses the focus would otherwise let Ctrl+A and Delete empty
// the code window under the caret.
#include "organize/modSendKeys.h"

#include "platform/Platform.h"

namespace kv {

namespace {

constexpr std::uint32_t kPauseMs = 10;

platform::INPUT KeyInput(std::int32_t key, bool up) {
  platform::INPUT input;
  input.type = platform::INPUT_KEYBOARD;
  input.ki.wVk = static_cast<std::uint16_t>(key);
  input.ki.dwFlags = up ? platform::KEYEVENTF_KEYUP : 0;
  return input;
}

void SendOne(Globals& g, std::int32_t key, bool up) {
  const platform::INPUT input = KeyInput(key, up);
  g.platform.SendInput(1, &input, static_cast<std::int32_t>(sizeof(platform::INPUT)));
}

}  // namespace

void s_PressKey(Globals& g, std::int32_t key) {
  const platform::INPUT inputs[2] = {KeyInput(key, false), KeyInput(key, true)};
  g.platform.SendInput(2, inputs, static_cast<std::int32_t>(sizeof(platform::INPUT)));
}

void s_PressCtrlKey(Globals& g, std::int32_t key) {
  SendOne(g, platform::vk::kControl, false);
  g.platform.Sleep(kPauseMs);
  SendOne(g, key, false);
  g.platform.Sleep(kPauseMs);
  SendOne(g, key, true);
  g.platform.Sleep(kPauseMs);
  SendOne(g, platform::vk::kControl, true);
}

Epilogue s_ClearImmediateWindow(CommandContext& ctx) {
  Globals& g = ctx.g;
  vbide::Window* immediate = nullptr;
  for (vbide::Window* window : g.gVBE->Windows()) {
    if (window && window->Type() == vbide::WindowType::Immediate) {
      immediate = window;
      break;
    }
  }
  if (!immediate) return Epilogue::None;
  immediate->SetFocus();
  if (g.platform.GetFocus() != immediate->hWnd()) return Epilogue::Normal;
  s_PressCtrlKey(g, platform::vk::kA);
  s_PressKey(g, platform::vk::kDelete);
  return Epilogue::Normal;
}

}  // namespace kv
