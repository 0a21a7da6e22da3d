// The kestrova command. On Windows the arguments arrive as UTF-16 and are
// passed on as UTF-8, so that Chinese file names survive any code page, and
// the output is UTF-8 (on a console: UTF-16 through WriteConsoleW).
#include "cli/Cli.h"

#ifdef _WIN32
#include <windows.h>

#include "cli/ConsoleText.h"

#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  kv::cli::SetUpStandardStreams();
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  std::vector<char*> pointers;
  for (std::string& arg : args) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  return kv::cli::Main(argc, pointers.data());
}
#else
#include "platform/HeapTuning.h"
#include "platform/TemporaryFile.h"

int main(int argc, char** argv) {
  kv::platform::RestartWithHeapTuning(argv);  // before anything is read or allocated
  kv::platform::RemoveTemporaryFilesOnSignals();  // Ctrl+C leaves no half-written copy behind
  return kv::cli::Main(argc, argv);
}
#endif
