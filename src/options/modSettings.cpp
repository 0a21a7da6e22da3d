// Placeholder: the settings store arrives with its own change.
#include "options/modSettings.h"

namespace kv {
struct SettingsStore::Impl {
  std::filesystem::path file;
};
std::filesystem::path SettingsStore::DefaultPath() { return {}; }
SettingsStore::SettingsStore(std::filesystem::path file) : impl_(std::make_unique<Impl>()) { impl_->file = std::move(file); }
SettingsStore::~SettingsStore() = default;
const std::filesystem::path& SettingsStore::Path() const { return impl_->file; }
VbString SettingsStore::ReadSetting(VbStringView, VbStringView defaultValue) { return VbString(defaultValue); }
void SettingsStore::WriteSetting(VbStringView, VbStringView) {}
bool SettingsStore::HasSetting(VbStringView) { return false; }
void SettingsStore::SetOverride(std::optional<std::filesystem::path>) {}
void SettingsStore::SetWarningSink(WarningSink) {}
}  // namespace kv
