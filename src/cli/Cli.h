// The kestrova command: a headless IDE that loads VB6 code into the in-memory
// IDE, connects the add-in, runs its commands and writes the code back.
#pragma once

namespace kv::cli {

// Exit codes.
inline constexpr int kExitOk = 0;
inline constexpr int kExitChanges = 1;  // --check / --diff found changes
inline constexpr int kExitUsage = 2;    // bad usage or unusable input
inline constexpr int kExitFailed = 3;   // a command failed

int Main(int argc, char** argv);

}  // namespace kv::cli
