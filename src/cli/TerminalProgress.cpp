// The progress bar on standard error.
#include "cli/TerminalProgress.h"

#include <algorithm>
#include <string>

#include "cli/ConsoleText.h"

namespace kv::cli {

bool TerminalProgress::StandardErrorIsTerminal() { return IsTerminal(stderr); }

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
  WriteText(out_, "\r" + line + "\033[K");
  drawn_ = true;
  last_ = std::move(line);
  lastTime_ = now;
}

void TerminalProgress::Unloaded() {
  if (!drawn_) return;
  WriteText(out_, "\r\033[K");
  drawn_ = false;
  last_.clear();
}

}  // namespace kv::cli
