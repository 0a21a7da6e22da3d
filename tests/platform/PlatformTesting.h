// Helpers for the platform tests: a window that records the messages it
// receives, and the key messages of its log.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "platform/HeadlessPlatform.h"

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

using kv::test::ReadBytes;
using kv::test::TempFolder;
using kv::test::WriteBytes;

}  // namespace kv::platform::testing
