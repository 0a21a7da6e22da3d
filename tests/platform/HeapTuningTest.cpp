// The heap tunables the command starts again with.
#include "platform/HeapTuning.h"

#include <gtest/gtest.h>

namespace kv::platform {
namespace {

TEST(HeapTuning, TunablesGoInFrontOnlyOnce) {
  const std::string ours =
      "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=4194304:glibc.malloc.trim_threshold=8388608";
  const struct { const char* present; std::string_view mode; std::optional<std::string> expected; } cases[] = {
      {nullptr, "always [madvise] never", ours},
      {"", "[always] madvise never", ours},
      {"glibc.malloc.arena_max=4", "always [madvise] never", ours + ":glibc.malloc.arena_max=4"},  // the user's win
      {ours.c_str(), "always [madvise] never", std::nullopt},                 // the second start
      {"glibc.malloc.hugetlb=0", "always [madvise] never", std::nullopt},     // the user's own choice
      {nullptr, "always madvise [never]", std::nullopt},                      // no huge pages here
      {nullptr, "", ours},                                                    // the mode unreadable
  };
  for (const auto& c : cases) EXPECT_EQ(HeapTunables(c.present, c.mode), c.expected) << (c.present ? c.present : "unset");
}

}  // namespace
}  // namespace kv::platform
