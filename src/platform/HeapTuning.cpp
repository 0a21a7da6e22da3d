// Restarting with glibc's heap tunables; elsewhere, nothing to do.
#include "platform/HeapTuning.h"

#include <cstdio>
#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__linux__) && defined(__GLIBC__)
#include <unistd.h>
#endif

namespace kv::platform {

std::optional<std::string> HeapTunables(const char* present, std::string_view hugePageMode) {
  // Huge pages for the heap; blocks up to 4 MiB from the heap rather than
  // from mappings of their own; and up to 8 MiB of free memory kept.
  constexpr std::string_view kTunables =
      "glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=4194304:glibc.malloc.trim_threshold=8388608";
  const std::string_view before = present ? present : "";
  if (before.find("glibc.malloc.hugetlb") != std::string_view::npos) return std::nullopt;
  if (hugePageMode.find("[never]") != std::string_view::npos) return std::nullopt;
  std::string tunables(kTunables);
  if (!before.empty()) tunables.append(":").append(before);
  return tunables;
}

// A process that replaces itself never writes its coverage counters, so the
// first start is never measured: what it decides is HeapTunables', tested on
// its own.
// LCOV_EXCL_START
void RestartWithHeapTuning(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  char mode[128] = {};
  std::size_t modeLength = 0;
  if (std::FILE* file = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r")) {
    modeLength = std::fread(mode, 1, sizeof mode - 1, file);
    std::fclose(file);
  }
  const char* present = std::getenv("GLIBC_TUNABLES");
  const std::string before = present ? present : "";
  const std::optional<std::string> tunables = HeapTunables(present, std::string_view(mode, modeLength));
  if (!tunables) return;
  if (::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0) return;
  // By the program's own path, not /proc/self/exe, so that the process
  // keeps its name for ps and kill.
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) {
    self[length] = '\0';
    ::execv(self, argv);
  }
  // Not started again: the same run, as it is.
  if (present) ::setenv("GLIBC_TUNABLES", before.c_str(), 1);
  else ::unsetenv("GLIBC_TUNABLES");
#else
  (void)argv;
#endif
}
// LCOV_EXCL_STOP

}  // namespace kv::platform
