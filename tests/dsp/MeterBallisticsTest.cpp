// The meters' figures: the output meter holds its peak until the next redraw and then falls
// with a 1 s time constant; the gain-reduction meter shows 48 dB above its reduction; the
// level maps linearly in dB onto the frames of the strip.

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
}

TEST(MeterBallistics, MagnitudesAboveFullScaleShowZeroDb) {
  MeterBallistics meter;
  meter.SetSampleRate(kFs);
  meter.SetLevel(false, -3.5);
  EXPECT_EQ(meter.GetHeldPeak(), 1.0);
  EXPECT_EQ(meter.GetDisplayedLevel(), 0.0);
}

TEST(MeterBallistics, GainReductionShows48DbAboveTheReduction) {
  MeterBallistics meter;
  meter.SetSampleRate(kFs);
  meter.SetLevel(true, -0.0);
  EXPECT_EQ(meter.GetDisplayedLevel(), -48.0);
  meter.SetLevel(true, -12.0);
  EXPECT_EQ(meter.GetDisplayedLevel(), -36.0);
  meter.SetLevel(true, -60.0);  // more than 48 dB: above 0, not bounded
  EXPECT_EQ(meter.GetDisplayedLevel(), 12.0);
  EXPECT_EQ(meter.GetFrame(101), 101);
}

TEST(MeterBallistics, SampleRateResetKeepsTheEnvelope) {
  MeterBallistics meter;
  meter.SetSampleRate(kFs);
  meter.SetLevel(false, 0.5);
  meter.SetSampleRate(kFs);
  EXPECT_EQ(meter.GetDisplayedLevel(), -48.0);
  EXPECT_EQ(meter.GetHeldPeak(), MeterBallistics::kMinimumLinear);
  EXPECT_EQ(meter.GetEnvelope().GetState(), 20 * std::log10(0.5));
}

TEST(MeterBallistics, FrameMappingOnA101FrameStrip) {
  struct Case {
    double gainReduction;  // shown level = -48 - this
    int frame;
  };
  // -48 -> 1, -24 -> 51, 0 -> 101, -6 -> 89
  for (Case c : {Case{0, 1}, Case{-24, 51}, Case{-48, 101}, Case{-42, 89}}) {
    MeterBallistics meter;
    meter.SetSampleRate(kFs);
    meter.SetLevel(true, c.gainReduction);
    EXPECT_EQ(meter.GetFrame(101), c.frame) << meter.GetDisplayedLevel();
  }
  MeterBallistics broken;
  broken.SetLevel(true, std::nan(""));
  EXPECT_EQ(broken.GetFrame(101), 1);
}

}  // namespace
