#include "UiFixture.h"

#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

struct UiFixture::Impl {
  explicit Impl(const std::filesystem::path& settings) : store(settings), g(platform, store) {}
  kv::platform::HeadlessPlatform platform{{}};
  kv::SettingsStore store;
  kv::Globals g;
};

UiFixture::UiFixture(std::int32_t language, const std::filesystem::path& settings) {
  std::filesystem::remove(settings);
  impl_ = std::make_unique<Impl>(settings);
  impl_->g.gLanguage = language;
}
UiFixture::~UiFixture() = default;
kv::Globals& UiFixture::g() { return impl_->g; }
kv::SettingsStore& UiFixture::store() { return impl_->store; }

std::vector<std::uint32_t> UiFixture::HotKeys() const {
  std::vector<std::uint32_t> keys;
  for (const kv::platform::HotKey& key : impl_->platform.RegisteredHotKeys()) keys.push_back(key.vk);
  return keys;
}

std::vector<std::string> UiFixture::OpenedUrls() const { return impl_->platform.OpenedUrls(); }
