// The platform's construction and the calls it only records and passes on:
// message boxes (to the presenter) and opening a document (to the opener).
#include "platform/PlatformState.h"
#include "support/text/VbText.h"

namespace kv::platform {

namespace {

// ShellExecute's results: above 32 is success; these are its error codes.
constexpr std::int32_t kShellOk = 42;
constexpr std::int32_t kShellFileNotFound = 2;
constexpr std::int32_t kShellNoAssociation = 31;

}  // namespace

HeadlessPlatform::HeadlessPlatform(Options options) : state_(std::make_unique<State>()) { state_->options = std::move(options); }

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::MsgBox(VbStringView text, VbStringView title) {
  state_->boxes.push_back({VbString(text), VbString(title)});
  if (state_->presenter) state_->presenter(state_->boxes.back());
}

void HeadlessPlatform::MsgBox(VbStringView text) {
  state_->boxes.push_back({VbString(text), std::nullopt});
  if (state_->presenter) state_->presenter(state_->boxes.back());
}

const std::vector<MessageBoxRecord>& HeadlessPlatform::MessageBoxes() const { return state_->boxes; }

void HeadlessPlatform::SetMessageBoxPresenter(MessageBoxPresenter presenter) { state_->presenter = std::move(presenter); }

std::int32_t HeadlessPlatform::ShellExecuteA(HWND, std::string_view operation, std::string_view file, std::string_view,
                                     std::string_view, std::int32_t) {
  // No operation means the default verb, which is "open"; verbs ignore case.
  if (!operation.empty() && !EqualsNoCase(U(operation), u"open")) return kShellNoAssociation;
  if (file.empty()) return kShellFileNotFound;
  state_->urls.emplace_back(file);
  if (state_->opener) state_->opener(state_->urls.back());
  return kShellOk;
}

const std::vector<std::string>& HeadlessPlatform::OpenedUrls() const { return state_->urls; }

void HeadlessPlatform::SetUrlOpener(UrlOpener opener) { state_->opener = std::move(opener); }

const std::filesystem::path& HeadlessPlatform::WindowsDirectory() const { return state_->options.windowsDirectory; }

}  // namespace kv::platform
