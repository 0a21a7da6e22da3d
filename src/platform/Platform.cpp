// Placeholder: the headless platform arrives with its own change.
#include "platform/Platform.h"

namespace kv::platform {
struct Platform::State {
  Options options;
  std::vector<KeyEvent> input;
  std::vector<std::uint32_t> sleeps;
  std::vector<MessageBoxRecord> boxes;
  std::vector<std::string> urls;
  MessageBoxPresenter presenter;
};
Platform::Platform(Options options) : state_(std::make_unique<State>()) { state_->options = std::move(options); }
Platform::~Platform() = default;
void Platform::MsgBox(VbStringView text, VbStringView title) {
  state_->boxes.push_back({VbString(text), VbString(title)});
  if (state_->presenter) state_->presenter(state_->boxes.back());
}
void Platform::MsgBox(VbStringView text) {
  state_->boxes.push_back({VbString(text), std::nullopt});
  if (state_->presenter) state_->presenter(state_->boxes.back());
}
const std::vector<MessageBoxRecord>& Platform::MessageBoxes() const { return state_->boxes; }
void Platform::SetMessageBoxPresenter(MessageBoxPresenter presenter) { state_->presenter = std::move(presenter); }
}  // namespace kv::platform
