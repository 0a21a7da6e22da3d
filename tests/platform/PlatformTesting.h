// Helpers for the platform tests: a window that records the messages it
// receives, and a temporary folder removed at the end of a test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace kv::platform::testing {

struct Received {
  HWND window;
  std::uint32_t message;
  WPARAM wParam;
  LPARAM lParam;
  friend bool operator==(const Received&, const Received&) = default;
};

// A procedure that appends every message to `log` and answers `result`.
inline WindowProc Recorder(std::vector<Received>& log, LRESULT result = 0) {
  return [&log, result](HWND h, std::uint32_t m, WPARAM w, LPARAM l) {
    log.push_back({h, m, w, l});
    return result;
  };
}

// The key messages of a log as "down 17", "up 65"...
inline std::vector<std::string> Keys(const std::vector<Received>& log) {
  std::vector<std::string> keys;
  for (const Received& r : log) {
    if (r.message == WM_KEYDOWN) keys.push_back("down " + std::to_string(r.wParam));
    if (r.message == WM_KEYUP) keys.push_back("up " + std::to_string(r.wParam));
  }
  return keys;
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
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
  // The names of every entry of the folder, hidden ones included.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void WriteFile(const std::filesystem::path& file, const std::string& content) {
  std::ofstream(file, std::ios::binary) << content;
}

}  // namespace kv::platform::testing
