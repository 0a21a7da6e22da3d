// The add-in's state for the window tests, built where <windows.h> is not
// seen: a headless platform (hot keys and opened pages recorded), a settings
// store on a fresh file, and the Globals, in the UI language asked for.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kv {
class Globals;
class SettingsStore;
}  // namespace kv

class UiFixture {
 public:
  UiFixture(std::int32_t language, const std::filesystem::path& settings);
  ~UiFixture();
  kv::Globals& g();
  kv::SettingsStore& store();
  // The virtual keys of the hot keys registered now.
  std::vector<std::uint32_t> HotKeys() const;
  std::vector<std::string> OpenedUrls() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
