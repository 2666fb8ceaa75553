// The compressor's detection modes, a full-scale square and a ratio that is not positive. Its
// static curve, times and make-up fade-in are measured through the plug-in in tests/sound.

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

TEST(Compressor, FullScaleSquareAtMinus20And4To1IsReducedBy15Db) {
  Compressor c = MakeCompressor(-20, 4);
  Feed(c, 1.0, static_cast<int>(kFs));
  EXPECT_NEAR(c.GetGainChange(), -15.0, 1e-9);
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
