// The add-in's state for the window test, built where <windows.h> is not
// seen: a headless platform that records hot keys and opened pages, a
// settings store on a fresh file, and the Globals in the language asked for.
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

struct UiFixture {
  UiFixture(std::int32_t language, const std::filesystem::path& settings);
  ~UiFixture();
  std::vector<std::uint32_t> HotKeys() const;  // their virtual keys
  std::vector<std::string> OpenedUrls() const;

  struct Impl;
  std::unique_ptr<Impl> impl;
  kv::Globals& g;
  kv::SettingsStore& store;
};
