// A folder below the system's temporary folder for one test, removed with
// everything in it when the object goes (even after the test took away its
// permissions).
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace kv::test {

class TempFolder {
 public:
  TempFolder() {
#ifdef _WIN32
    // A random name, created only when no one has it.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate = std::filesystem::temp_directory_path() / ("kestrova-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("cannot create a temporary folder");
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
#endif
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
  // The names of every entry of the folder, hidden ones included, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace kv::test
