// The progress bar on standard error.
#include "cli/TerminalProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace kv::cli {

namespace {

int TerminalWidth(std::FILE* out) {
  winsize ws{};
  if (::ioctl(::fileno(out), TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
  return 80;
}

}  // namespace

bool TerminalProgress::StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void TerminalProgress::Repaint(const frmProgress& window) {
  int width = TerminalWidth(out_);
  int barWidth = std::clamp(width / 3, 10, 40);
  double fraction = std::clamp(window.Fraction(), 0.0, 1.0);
  int filled = static_cast<int>(fraction * barWidth + 0.5);
  std::string line = "[" + std::string(filled, '#') + std::string(barWidth - filled, '.') + "] " +
                     VbToUtf8(window.PercentText()) + " " + VbToUtf8(window.MessageText());
  // Keep to one terminal line (counting bytes is enough to stay short).
  if (static_cast<int>(line.size()) > width - 1) {
    line.resize(std::max(0, width - 1));
    while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80) line.pop_back();
    if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0) line.pop_back();
  }
  auto now = std::chrono::steady_clock::now();
  if (line == last_ || (drawn_ && fraction < 1.0 && now - lastTime_ < std::chrono::milliseconds(40))) return;
  std::fprintf(out_, "\r%s\033[K", line.c_str());
  std::fflush(out_);
  drawn_ = true;
  last_ = std::move(line);
  lastTime_ = now;
}

void TerminalProgress::Unloaded() {
  if (!drawn_) return;
  std::fprintf(out_, "\r\033[K");
  std::fflush(out_);
  drawn_ = false;
  last_.clear();
}

}  // namespace kv::cli
