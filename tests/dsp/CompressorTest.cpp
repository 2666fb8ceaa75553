// The compressor's static curve, its attack and release times, the detection modes and the
// make-up fade-in after a reset.

#include <gtest/gtest.h>

#include <cmath>

#include "Compressor.h"
#include "SineFit.h"

namespace {

constexpr double kFs = 48000;

Compressor MakeCompressor(double thresholdDb, double ratio, double attackMs = 10,
                          double releaseMs = 50, double makeupDb = 0) {
  Compressor c;
  c.SetRatio(ratio);
  c.SetThreshold(thresholdDb);
  c.SetAttack(attackMs);
  c.SetRelease(releaseMs);
  c.SetMakeupGain(makeupDb);
  c.SetSampleRate(kFs);
  return c;
}

// Feeds a square wave of the given magnitude on both channels for `frames` frames; returns
// the last output's magnitude.
double Feed(Compressor& c, double magnitude, int frames, int mode = 2) {
  double out = 0;
  for (int n = 0; n < frames; ++n) {
    double l = (n % 2 ? -magnitude : magnitude), r = l;
    c.Process(l, r, mode);
    EXPECT_EQ(std::fabs(l), std::fabs(r));
    out = std::fabs(l);
  }
  return out;
}

TEST(Compressor, StaticCurveFollowsThresholdAndRatio) {
  for (double threshold : {-30.0, -20.0, -6.0}) {
    for (double ratio : {1.0, 2.0, 4.0, 20.0}) {
      for (double levelDb : {-40.0, -25.0, -10.0, -3.0, 0.0}) {
        Compressor c = MakeCompressor(threshold, ratio, 1, 1);
        const double in = std::pow(10.0, levelDb / 20);
        const double out = Feed(c, in, static_cast<int>(kFs / 2));
        const double expected =
            levelDb > threshold ? -(levelDb - threshold) * (1 - 1 / ratio) : 0.0;
        SCOPED_TRACE(testing::Message() << threshold << " dB, " << ratio << ":1, " << levelDb);
        EXPECT_NEAR(c.GetGainChange(), expected, 1e-9);
        EXPECT_NEAR(ToDb(out / in), expected, 1e-6);
      }
    }
  }
}

TEST(Compressor, FullScaleSquareAtMinus20And4To1IsReducedBy15Db) {
  Compressor c = MakeCompressor(-20, 4);
  Feed(c, 1.0, static_cast<int>(kFs));
  EXPECT_NEAR(c.GetGainChange(), -15.0, 1e-9);
}

// k = -5: a step is covered to all but e^-5 within the attack or release time.
TEST(Compressor, AttackAndReleaseTimes) {
  Compressor c = MakeCompressor(-20, 4, 10, 50);
  Feed(c, 1.0, static_cast<int>(kFs * 0.010));
  EXPECT_NEAR(-c.GetGainChange(), 15.0 * (1 - std::exp(-5.0)), 1e-9);
  Feed(c, 1.0, static_cast<int>(kFs));  // settle
  Feed(c, 0.0, static_cast<int>(kFs * 0.050));
  EXPECT_NEAR(-c.GetGainChange(), 15.0 * std::exp(-5.0), 1e-9);

  Compressor instant = MakeCompressor(-20, 4, 0, 0);
  Feed(instant, 1.0, 1);
  EXPECT_EQ(instant.GetGainChange(), -15.0);
  Feed(instant, 0.0, 1);
  EXPECT_EQ(instant.GetGainChange(), 0.0);
}

// One channel only: mode 1 (left) detects its level; mode 2 averages in a silent right
// channel and detects 6.02 dB less. Any other mode detects nothing.
TEST(Compressor, DetectionModes) {
  auto reductionFor = [](int mode) {
    Compressor c = MakeCompressor(-30, 2, 1, 1);
    for (int n = 0; n < kFs / 4; ++n) {
      double l = 0.5, r = 0.0;
      c.Process(l, r, mode);
    }
    return -c.GetGainChange();
  };
  const double mode1 = reductionFor(1);
  const double mode2 = reductionFor(2);
  // reduction = (level + 30) / 2 at 2:1
  EXPECT_NEAR(mode1 * 2 - 30, ToDb(0.5), 1e-9);
  EXPECT_NEAR((mode1 - mode2) * 2, 20 * std::log10(2.0), 1e-9);
  EXPECT_EQ(reductionFor(0), 0.0);
  EXPECT_EQ(reductionFor(3), 0.0);
}

// After every sample-rate change the make-up gain fades in from silence over 20 ms.
TEST(Compressor, MakeupFadesInAfterReset) {
  Compressor c = MakeCompressor(0, 2, 10, 50, 6);
  const double makeup = std::pow(10.0, 6.0 / 20);
  const double coefficient = 1 - std::exp(-5.0 / (20 * 0.001 * kFs));
  EXPECT_NEAR(Feed(c, 0.25, 1), 0.25 * makeup * coefficient, 1e-15);
  Feed(c, 0.25, static_cast<int>(kFs * 0.020) - 1);
  EXPECT_NEAR(Feed(c, 0.25, 1) / (0.25 * makeup), 1 - std::exp(-5.0), 2e-3);
  EXPECT_NEAR(Feed(c, 0.25, static_cast<int>(kFs)), 0.25 * makeup, 1e-12);
  c.SetSampleRate(kFs);
  EXPECT_NEAR(Feed(c, 0.25, 1), 0.25 * makeup * coefficient, 1e-15);
}

// A ratio that is not positive would divide by zero; it acts as 1:1.
TEST(Compressor, NonPositiveRatioDoesNotCompress) {
  for (double ratio : {0.0, -2.0, std::nan("")}) {
    Compressor c = MakeCompressor(-20, ratio);
    const double out = Feed(c, 1.0, 1000);
    EXPECT_EQ(c.GetGainChange(), 0.0);
    EXPECT_TRUE(std::isfinite(out));
  }
}

}  // namespace
