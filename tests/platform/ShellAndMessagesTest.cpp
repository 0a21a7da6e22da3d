// Opening a URL: recorded in order and passed on. (Message boxes: every
// command test reads them back.)
#include <gtest/gtest.h>

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

TEST(ShellTest, OpenRecordsTheUrlAndCallsTheOpener) {
  HeadlessPlatform platform{{}};
  std::vector<std::string> opened;
  platform.SetUrlOpener([&](std::string_view url) { opened.emplace_back(url); });
  const struct { const char* operation; const char* file; std::int32_t result; } cases[] = {
      {"open", "https://example.org/", 42},   {"OPEN", "https://example.org/a", 42},
      {"", "https://example.org/b", 42},  // the default verb
      {"print", "https://example.org/c", 31}, {"open", "", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(platform.ShellExecuteA(0, c.operation, c.file, "", "", 1), c.result) << c.file;
  const std::vector<std::string> expected{"https://example.org/", "https://example.org/a", "https://example.org/b"};
  EXPECT_EQ(platform.OpenedUrls(), expected);
  EXPECT_EQ(opened, expected);
}

}  // namespace
}  // namespace kv::platform
