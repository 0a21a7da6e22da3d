// The progress window's arithmetic and the step rule of s_StepProgress.
#include "support/frmProgress.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

namespace kv {
namespace {

double Bar(double w, double fraction) { return std::floor(w * fraction / 0.75 + 1) * 0.75; }

TEST(frmProgress, BarAndPercentage) {
  struct Case { double min, max, value, fraction, percent; };
  const Case cases[] = {
      {0, 0, 17, 0, 0},          // an empty range shows 0%
      {0, 200, 50, 0.25, 25},    //
      {0, 200, 0, 0, 0},         // at Min the bar is still one step wide
      {0, 200, -50, 0.25, 25},   // below Min by a quarter: the absolute value
      {0, 200, 200, 1, 100},     //
      {10, 20, 11, 0.1, 10},     //
      {0, 8, 1, 0.125, 13},      // 12.5% rounds half away from zero
  };
  for (const auto& c : cases) {
    frmProgress w;
    w.SetMin(c.min);
    w.SetMax(c.max);
    w.SetProgress(c.value);
    EXPECT_EQ(w.PercentText(), ToVb(static_cast<long long>(c.percent)) + u"%") << c.value;
    EXPECT_DOUBLE_EQ(w.InsideWidth(), Bar(w.BackWidth(), c.fraction)) << c.value;
  }
}

class CountingRenderer : public ProgressRenderer {
 public:
  void Repaint(const frmProgress& w) override { values.push_back(w.PercentText()); }
  std::vector<VbString> values;
};

class StepProgress : public testing::Test {
 protected:
  platform::HeadlessPlatform platform{{}};
  SettingsStore settings{""};
  Globals g{platform, settings};

};

TEST_F(StepProgress, RendererSeesRepaintsOnlyWhileShown) {
  CountingRenderer renderer;
  g.progressRenderer = &renderer;
  ProgressWindow(g).SetMessageText(u"hidden");
  EXPECT_TRUE(renderer.values.empty());
  s_ShowProgress(g, 0, 4);
  s_StepProgress(g, 2, 0, 4);
  EXPECT_EQ(renderer.values.back(), u"50%");
  UnloadProgress(g);
  EXPECT_FALSE(ProgressLoaded(g));
}

}  // namespace
}  // namespace kv
