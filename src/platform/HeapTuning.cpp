// Restarting with glibc's heap tunables; elsewhere, nothing to do.
#include "platform/HeapTuning.h"

#include <cstdio>
#include <cstdlib>  // defines __GLIBC__ where it applies
#include <string>
#include <string_view>

#if defined(__linux__) && defined(__GLIBC__)
#include <unistd.h>
#endif

namespace kv::platform {

void RestartWithHeapTuning(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  // Huge pages for the heap; blocks up to 4 MiB from the heap rather than
  // from mappings of their own; and up to 8 MiB of free memory kept.
  constexpr std::string_view kMark = "glibc.malloc.hugetlb";
  constexpr std::string_view kTunables =
      "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=4194304:glibc.malloc.trim_threshold=8388608";
  const char* present = std::getenv("GLIBC_TUNABLES");
  const std::string before = present ? present : "";
  // Also the mark that this is the second start: never a third.
  if (before.find(kMark) != std::string::npos) return;
  // A system that never gives huge pages is not worth the second start.
  if (std::FILE* mode = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r")) {
    char text[128] = {};
    const std::size_t read = std::fread(text, 1, sizeof text - 1, mode);
    std::fclose(mode);
    if (std::string_view(text, read).find("[never]") != std::string_view::npos) return;
  }
  const std::string tunables = std::string(kTunables) + (before.empty() ? "" : ":" + before);
  if (::setenv("GLIBC_TUNABLES", tunables.c_str(), 1) != 0) return;
  // By the program's own path, not /proc/self/exe, so that the process
  // keeps its name for ps and kill.
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) {
    self[length] = '\0';
    ::execv(self, argv);
  }
  // Not started again (no /proc, say): the same run, as it is.
  if (present) ::setenv("GLIBC_TUNABLES", before.c_str(), 1);
  else ::unsetenv("GLIBC_TUNABLES");
#else
  (void)argv;
#endif
}

}  // namespace kv::platform
