// The progress window's arithmetic, and the two routines that drive it.
#include "support/frmProgress.h"

#include <cmath>

#include "support/modGlobals.h"

namespace kv {

frmProgress::frmProgress(ProgressRenderer* renderer) : renderer_(renderer) {}

void frmProgress::SetMessageText(VbStringView text) {
  message_ = VbString(text);
  Repaint();
}

void frmProgress::SetProgress(double value) {
  fraction_ = max_ == min_ ? 0.0 : std::fabs((value - min_) / (max_ - min_));
  // The filled part grows in steps of 0.75 units and is never narrower than
  // one step, so the bar's left edge always shows.
  insideWidth_ = std::floor(backWidth_ * fraction_ / 0.75 + 1) * 0.75;
  // Format(fraction, "0%"): the percentage rounded half away from zero.
  percent_ = ToVb(static_cast<std::int64_t>(std::round(fraction_ * 100))) + u"%";
  Repaint();
}

void frmProgress::Show() {
  visible_ = true;
  Repaint();
}

void frmProgress::Unload() {
  visible_ = false;
  if (renderer_) renderer_->Unloaded();
}

void frmProgress::Repaint() {
  ++repaints_;
  if (renderer_ && visible_) renderer_->Repaint(*this);
}

frmProgress& ProgressWindow(Globals& g) {
  if (!g.progressWindow) g.progressWindow = std::make_unique<frmProgress>(g.progressRenderer);
  return *g.progressWindow;
}

bool ProgressLoaded(const Globals& g) { return g.progressWindow != nullptr; }

void UnloadProgress(Globals& g) {
  if (!g.progressWindow) return;
  g.progressWindow->Unload();
  g.progressWindow.reset();
}

void s_ShowProgress(Globals& g, double min, double max) {
  frmProgress& window = ProgressWindow(g);
  window.SetMin(min);
  window.SetMax(max);
  window.Show();
}

void s_StepProgress(Globals& g, std::int32_t i, std::int32_t min, std::int32_t max) {
  (void)max;  // the window's own Max decides the step
  frmProgress& window = ProgressWindow(g);
  auto step = static_cast<std::int64_t>(std::floor(window.Max() / 100 + 1));
  if (step < 1) step = 1;  // a negative Max would otherwise divide by zero
  const std::int64_t done = std::int64_t{i} - min;
  if (done % step == 0) window.SetProgress(static_cast<double>(done));
}

}  // namespace kv
