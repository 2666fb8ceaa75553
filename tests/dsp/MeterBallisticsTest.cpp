// The meters' figures: the output meter holds its peak until the next redraw and then falls
// with a 1 s time constant; the gain-reduction meter shows 48 dB above its reduction, unbounded
// above; the level maps linearly in dB onto the frames of the strip. Resets are compared bit for
// bit with the reference in FastPathIdentityTest.

#include <gtest/gtest.h>

#include <cmath>

#include "MeterBallistics.h"

namespace {

constexpr double kFs = 48000;

TEST(MeterBallistics, OutputPeakHoldsUntilRedrawThenFallsWithOneSecondConstant) {
  MeterBallistics meter;
  meter.SetSampleRate(kFs);
  meter.SetLevel(false, 0.5);
  const double peakDb = 20 * std::log10(0.5);
  EXPECT_NEAR(meter.GetDisplayedLevel(), -6.02, 0.005);
  for (int n = 0; n < 1000; ++n) {
    meter.SetLevel(false, 0.0);
  }
  EXPECT_EQ(meter.GetDisplayedLevel(), peakDb);
  EXPECT_EQ(meter.GetHeldPeak(), 0.5);

  meter.ResetHeldPeak();  // the redraw
  EXPECT_EQ(meter.GetHeldPeak(), MeterBallistics::kMinimumLinear);
  for (int n = 0; n < kFs; ++n) {
    meter.SetLevel(false, 0.0);
  }
  EXPECT_NEAR(meter.GetDisplayedLevel(), -48 + (peakDb + 48) * std::exp(-1.0), 1e-6);
  // Magnitudes above full scale (which the limiter never lets through) show 0 dB.
  meter.SetLevel(false, -3.5);
  EXPECT_EQ(meter.GetHeldPeak(), 1.0);
  EXPECT_EQ(meter.GetDisplayedLevel(), 0.0);
}

TEST(MeterBallistics, GainReductionLevelAndFrameOnA101FrameStrip) {
  struct Case {
    double gainReduction, shown;
    int frame;
  };
  for (Case c : {Case{0, -48, 1}, Case{-12, -36, 26}, Case{-24, -24, 51}, Case{-42, -6, 89},
                 Case{-48, 0, 101}, Case{-60, 12, 101}}) {
    MeterBallistics meter;
    meter.SetSampleRate(kFs);
    meter.SetLevel(true, c.gainReduction);
    EXPECT_EQ(meter.GetDisplayedLevel(), c.shown) << c.gainReduction;
    EXPECT_EQ(meter.GetFrame(101), c.frame) << c.gainReduction;
  }
  MeterBallistics broken;
  broken.SetLevel(true, std::nan(""));
  EXPECT_EQ(broken.GetFrame(101), 1);
}

}  // namespace
