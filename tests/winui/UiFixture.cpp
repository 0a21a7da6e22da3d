#include "UiFixture.h"

#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

struct UiFixture::Impl {
  explicit Impl(const std::filesystem::path& file) : store((std::filesystem::remove(file), file)), g(platform, store) {}
  kv::platform::HeadlessPlatform platform{{}};
  kv::SettingsStore store;
  kv::Globals g;
};

UiFixture::UiFixture(std::int32_t language, const std::filesystem::path& settings)
    : impl(std::make_unique<Impl>(settings)), g(impl->g), store(impl->store) {
  g.gLanguage = language;
}
UiFixture::~UiFixture() = default;

std::vector<std::uint32_t> UiFixture::HotKeys() const {
  std::vector<std::uint32_t> keys;
  for (const kv::platform::HotKey& key : impl->platform.RegisteredHotKeys()) keys.push_back(key.vk);
  return keys;
}
std::vector<std::string> UiFixture::OpenedUrls() const { return impl->platform.OpenedUrls(); }
