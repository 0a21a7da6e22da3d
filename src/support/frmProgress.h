// The progress window: a message line and a percentage bar that long
// operations show while they run.
//
// It is a view model: the state the window would show (caption, message,
// percentage text, bar width) with the window's own arithmetic. Every change
// of the message or the position repaints at once through a renderer, since
// no messages are processed while a command runs; the headless renderer
// draws nothing.
#pragma once

#include <cstdint>

#include "support/text/VbText.h"

namespace kv {

class Globals;
class frmProgress;

class ProgressRenderer {
 public:
  virtual ~ProgressRenderer() = default;
  virtual void Repaint(const frmProgress& window) = 0;
  virtual void Unloaded() {}
};

class frmProgress {
 public:
  // Width of lblBack, the full bar, in the window's scale units (twips).
  static constexpr double kDefaultBarWidth = 4815.0;

  explicit frmProgress(ProgressRenderer* renderer = nullptr);

  double Min() const { return min_; }
  void SetMin(double value) { min_ = value; }
  double Max() const { return max_; }
  void SetMax(double value) { max_ = value; }
  // Sets lblMessage and repaints.
  void SetMessageText(VbStringView text);
  // Moves the bar and repaints.
  void SetProgress(double value);
  void Show();  // modeless
  void Unload();

  VbStringView Caption() const { return u"Progress"; }
  const VbString& MessageText() const { return message_; }
  // The caption of lblBack and lblFront: the fraction as "0%".
  const VbString& PercentText() const { return percent_; }
  double Fraction() const { return fraction_; }
  // Width of fInside, the filled part.
  double InsideWidth() const { return insideWidth_; }
  double BackWidth() const { return backWidth_; }
  void SetBackWidth(double width) { backWidth_ = width; }
  bool Visible() const { return visible_; }
  int Repaints() const { return repaints_; }

 private:
  void Repaint();

  ProgressRenderer* renderer_;
  double min_ = 0;
  double max_ = 0;
  double fraction_ = 0;
  double backWidth_ = kDefaultBarWidth;
  double insideWidth_ = 0;
  VbString message_;
  VbString percent_ = u"0%";
  bool visible_ = false;
  int repaints_ = 0;
};

// The progress window of the add-in, loaded on first use.
frmProgress& ProgressWindow(Globals& g);
bool ProgressLoaded(const Globals& g);
// Unloads the window if it is loaded.
void UnloadProgress(Globals& g);

// Sets Min and Max and shows the window modeless.
void s_ShowProgress(Globals& g, double min, double max);
// Progress for loop position i: redrawn only every step-th position, step =
// whole part of (Max / 100 + 1).
void s_StepProgress(Globals& g, std::int32_t i, std::int32_t min, std::int32_t max);

}  // namespace kv
