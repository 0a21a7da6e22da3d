// The progress window drawn as one line on standard error: a bar, the
// percentage and the message, redrawn in place and wiped when the window is
// unloaded. Used only when standard error is a terminal. A terminal shows no
// more than a few dozen frames a second, so repaints closer together than
// that are skipped (but for the last one of a run).
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "support/frmProgress.h"

namespace kv::cli {

class TerminalProgress final : public ProgressRenderer {
 public:
  explicit TerminalProgress(std::FILE* out = stderr) : out_(out) {}
  void Repaint(const frmProgress& window) override;
  void Unloaded() override;

  // Whether standard error is a terminal the bar may be drawn on.
  static bool StandardErrorIsTerminal();

 private:
  std::FILE* out_;
  bool drawn_ = false;
  std::string last_;  // the line drawn last
  std::chrono::steady_clock::time_point lastTime_{};
};

}  // namespace kv::cli
