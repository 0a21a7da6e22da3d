// A progress renderer that keeps what the indentation commands show: every
// progress value with the message it was shown under, and the window's range.
#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "support/frmProgress.h"

namespace kv::test {

class ProgressLog final : public ProgressRenderer {
 public:
  struct Step {
    std::string message;
    long value;
    friend bool operator==(const Step&, const Step&) = default;
  };

  // A repaint that changes the message (or the first one, at Show) is not a
  // progress step.
  void Repaint(const frmProgress& w) override {
    max = w.Max();
    if (!lastMessage_ || *lastMessage_ != w.MessageText()) {
      lastMessage_ = w.MessageText();
      messages.push_back(VbToUtf8(w.MessageText()));
      return;
    }
    steps.push_back({VbToUtf8(w.MessageText()), std::lround(w.Fraction() * (w.Max() - w.Min()) + w.Min())});
  }
  void Unloaded() override { ++unloads; }

  std::vector<long> Values() const {
    std::vector<long> v;
    for (const Step& s : steps) v.push_back(s.value);
    return v;
  }

  std::vector<Step> steps;
  std::vector<std::string> messages;  // "" for the Show
  double max = 0;
  int unloads = 0;

 private:
  std::optional<VbString> lastMessage_;
};

inline std::vector<long> Range(long from, long to, long step = 1) {
  std::vector<long> v;
  for (long i = from; i <= to; i += step) v.push_back(i);
  return v;
}

}  // namespace kv::test
