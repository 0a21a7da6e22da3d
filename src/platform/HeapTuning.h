// Tuning glibc's heap for the large runs of the command.
//
// Indenting a whole project holds every module in memory: on 4 KiB pages a
// run of a million lines spent a fifth of its time in page faults and TLB
// misses. With --jobs, each worker's heap also gave its free pages back after
// every file and took them again for the next. glibc puts its heap on
// transparent huge pages, and keeps freed memory for the next file, when its
// tunables ask for it; but it reads them only when a program starts.
#pragma once

namespace kv::platform {

// Starts this program again, with the same arguments and the tunables added
// in front of any the environment already has (those stay and win), unless
// they are there already. Returns only when the program cannot be started
// again or has no use for them (another C library, or a system without huge
// pages), and the run then goes on as it is. Call it first thing in main.
void RestartWithHeapTuning(char** argv);

}  // namespace kv::platform
