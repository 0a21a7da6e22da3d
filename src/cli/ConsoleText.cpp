// The standard streams on a terminal, a pipe or a file. The Windows half
// includes <windows.h> and so none of the platform layer's headers.
#include "cli/ConsoleText.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <iostream>
#include <streambuf>
#include <string>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "support/text/VbText.h"

namespace kv::cli {

#ifdef _WIN32
namespace {

// The console behind a C stream, or null when it is a pipe, a file or none.
HANDLE ConsoleOf(std::FILE* stream) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// How many leading bytes of `utf8` are whole characters: a sequence cut at
// the end waits for the rest.
std::size_t WholeCharacters(std::string_view utf8) {
  std::size_t end = utf8.size();
  for (std::size_t back = 1; back <= 3 && back <= utf8.size(); ++back) {
    unsigned char c = static_cast<unsigned char>(utf8[utf8.size() - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte
    std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length > back) end = utf8.size() - back;
    break;
  }
  return end;
}

void ToConsole(HANDLE console, std::string_view utf8) {
  if (utf8.empty()) return;
  const VbString wide = U(utf8);
  DWORD written = 0;
  WriteConsoleW(console, reinterpret_cast<const wchar_t*>(wide.data()), static_cast<DWORD>(wide.size()), &written,
                nullptr);
}

// A stream buffer that writes UTF-8 text to a console as UTF-16.
class ConsoleBuffer final : public std::streambuf {
 public:
  explicit ConsoleBuffer(HANDLE console) : console_(console) {}

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) pending_.push_back(static_cast<char>(c));
    if (pending_.size() >= 4096) sync();
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    pending_.append(s, static_cast<std::size_t>(n));
    if (pending_.size() >= 4096) sync();
    return n;
  }
  int sync() override {
    std::size_t whole = WholeCharacters(pending_);
    ToConsole(console_, std::string_view(pending_).substr(0, whole));
    pending_.erase(0, whole);
    return 0;
  }

 private:
  HANDLE console_;
  std::string pending_;
};

}  // namespace

bool IsTerminal(std::FILE* stream) { return ConsoleOf(stream) != nullptr; }

int TerminalWidth(std::FILE* stream) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  HANDLE console = ConsoleOf(stream);
  if (console && GetConsoleScreenBufferInfo(console, &info)) return info.srWindow.Right - info.srWindow.Left + 1;
  return 80;
}

void WriteText(std::FILE* stream, std::string_view utf8) {
  std::fflush(stream);
  if (HANDLE console = ConsoleOf(stream)) {
    ToConsole(console, utf8);
  } else {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
  }
}

void SetUpStandardStreams() {
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  // The buffers live as long as the streams, which flush them at exit.
  for (auto [file, stream] : {std::pair{stdout, &std::cout}, std::pair{stderr, &std::cerr}}) {
    if (HANDLE console = ConsoleOf(file)) {
      DWORD mode = 0;  // "\033[K" and the like, where the console knows them
      if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
      stream->rdbuf(new ConsoleBuffer(console));
    }
  }
}

#else

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) == 1; }

int TerminalWidth(std::FILE* stream) {
  winsize ws{};
  if (::ioctl(::fileno(stream), TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
  return 80;
}

void WriteText(std::FILE* stream, std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

void SetUpStandardStreams() {}

#endif

}  // namespace kv::cli
