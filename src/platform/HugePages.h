// Backing the heap of a large run with transparent huge pages.
//
// Indenting a whole project holds every module in memory: on 4 KiB pages a
// run of a million lines spends a fifth of its time in page faults and TLB
// misses. glibc puts its heap on huge pages when its "glibc.malloc.hugetlb"
// tunable asks for it, but reads its tunables only when a program starts.
#pragma once

namespace kv::platform {

// Starts this program again, with the same arguments and the tunable added
// to the environment, unless the environment already names it. Returns only
// when the program cannot be started again (or the system has no such
// tunable), and then the run goes on as it is. Call it first thing in main.
void RestartWithHugePages(char** argv);

}  // namespace kv::platform
