// Tuning glibc's heap for the large runs of the command.
//
// Indenting a whole project holds every module in memory: on 4 KiB pages a
// run of a million lines spent a fifth of its time in page faults and TLB
// misses. With --jobs, each worker's heap also gave its free pages back after
// every file and took them again for the next. glibc puts its heap on
// transparent huge pages, and keeps freed memory for the next file, when its
// tunables ask for it; but it reads them only when a program starts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv::platform {

// The GLIBC_TUNABLES to start again with, given the present value (null when
// unset) and the system's transparent_hugepage/enabled text: the heap's
// tunables in front of the present ones (which stay, and so win). Nothing
// when they are there already (this is the second start) or the system never
// gives huge pages.
std::optional<std::string> HeapTunables(const char* present, std::string_view hugePageMode);

// Starts this program again, with the same arguments and HeapTunables in the
// environment. Returns only when there is no need or it cannot (another C
// library, no /proc), and the run then goes on as it is. Call it first thing
// in main.
void RestartWithHeapTuning(char** argv);

}  // namespace kv::platform
