// Placeholder entry point.
#include "cli/Cli.h"

namespace kv::cli {
int Main(int, char**) { return kExitUsage; }
}  // namespace kv::cli
