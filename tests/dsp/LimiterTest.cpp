// The limiter's ceiling and its 3 ms recovery, and the peak follower's floor.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "LimiterStereo.h"
#include "PeakFollowerStereo.h"

namespace {

constexpr double kFs = 48000;

TEST(Limiter, NothingEverLeavesAboveFullScale) {
  const unsigned seed = 20261206;
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> gain(0.0, 16.0), sample(-1.0, 1.0);
  LimiterStereo limiter;
  limiter.SetSampleRate(kFs);
  for (int block = 0; block < 200; ++block) {
    const double g = gain(rng);
    for (int n = 0; n < 512; ++n) {
      double l = g * sample(rng), r = g * sample(rng);
      limiter.Process(l, r);
      ASSERT_LE(std::fabs(l), 1.0) << "seed " << seed;
      ASSERT_LE(std::fabs(r), 1.0) << "seed " << seed;
    }
  }
}

// A sample of 2.0 becomes full scale; then the gain recovers as the peak decays towards the
// input with k = -1.00239343 over 3 ms (to about 36.7 % of the excess after 3 ms).
TEST(Limiter, OverloadIsCutToFullScaleThenRecoversOver3Ms) {
  LimiterStereo limiter;
  limiter.SetSampleRate(kFs);
  double l = 2.0, r = -2.0;
  limiter.Process(l, r);
  EXPECT_NEAR(l, 1.0, 1e-15);
  EXPECT_NEAR(r, -1.0, 1e-15);
  const double c = std::exp(-1.00239343 / (3 * kFs * 0.001));
  bool recovered = false;
  for (int n = 1; n < kFs / 100; ++n) {
    double sl = 0.9, sr = 0.9;
    limiter.Process(sl, sr);
    const double peak = 0.9 + 1.1 * std::pow(c, n);
    if (peak > 1.0) {
      ASSERT_NEAR(sl, 0.9 / peak, 1e-9) << n;
    } else {
      ASSERT_EQ(sl, 0.9) << n;
      recovered = true;
    }
    if (n == static_cast<int>(3 * kFs * 0.001)) {
      EXPECT_NEAR(peak - 0.9, 1.1 * 0.367, 1.1 * 0.001);
    }
  }
  EXPECT_TRUE(recovered);
}

TEST(PeakFollower, ReportsTheFloorAtAndBelowItsLinearBound) {
  for (double v : {0.0, 1e-300, 1.5848931070649996e-05}) {
    PeakFollowerStereo f;
    f.SetSampleRate(kFs);
    double l = v, r = -v;
    f.Process(l, r);
    EXPECT_EQ(l, -96.0);
    EXPECT_EQ(r, -96.0);
  }
  PeakFollowerStereo f;
  const double aboveFloor = std::nextafter(1.5848931070649996e-05, 1.0);
  double l = 0.5, r = aboveFloor;
  f.Process(l, r);
  EXPECT_EQ(l, 20 * std::log10(0.5));
  EXPECT_EQ(r, 20 * std::log10(aboveFloor));
}

}  // namespace
