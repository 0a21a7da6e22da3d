// The progress window drawn as one line on standard error: a bar, the
// percentage and the message, redrawn in place and wiped when the window is
// unloaded. Used only when standard error is a terminal.
#pragma once

#include <cstdio>

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
};

}  // namespace kv::cli
