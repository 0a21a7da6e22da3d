// The kestrova command.
#include "cli/Cli.h"
#include "platform/TemporaryFile.h"

int main(int argc, char** argv) {
  kv::platform::RemoveTemporaryFilesOnSignals();  // Ctrl+C leaves no half-written copy behind
  return kv::cli::Main(argc, argv);
}
