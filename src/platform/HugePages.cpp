// Restarting with glibc's huge-page tunable; elsewhere, nothing to do.
#include "platform/HugePages.h"

#include <cstdio>
#include <cstdlib>  // defines __GLIBC__ where it applies
#include <string>
#include <string_view>

#if defined(__linux__) && defined(__GLIBC__)
#include <unistd.h>
#endif

namespace kv::platform {

void RestartWithHugePages(char** argv) {
#if defined(__linux__) && defined(__GLIBC__)
  constexpr std::string_view kTunable = "glibc.malloc.hugetlb";
  const char* present = std::getenv("GLIBC_TUNABLES");
  const std::string before = present ? present : "";
  std::string tunables = before;
  // Also the mark that this is the second start: never a third.
  if (tunables.find(kTunable) != std::string::npos) return;
  // A system that never gives huge pages is not worth the second start.
  if (std::FILE* mode = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r")) {
    char text[128] = {};
    const std::size_t read = std::fread(text, 1, sizeof text - 1, mode);
    std::fclose(mode);
    if (std::string_view(text, read).find("[never]") != std::string_view::npos) return;
  }
  tunables += tunables.empty() ? "" : ":";
  tunables += std::string(kTunable) + "=1";
  if (::setenv("GLIBC_TUNABLES", tunables.c_str(), 1) != 0) return;
  // By the program's own path, not /proc/self/exe, so that the process
  // keeps its name for ps and kill.
  char self[4096];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) {
    self[length] = '\0';
    ::execv(self, argv);
  }
  // Not started again (no /proc, say): the same run, on small pages.
  if (present) ::setenv("GLIBC_TUNABLES", before.c_str(), 1);
  else ::unsetenv("GLIBC_TUNABLES");
#else
  (void)argv;
#endif
}

}  // namespace kv::platform
