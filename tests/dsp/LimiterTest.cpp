// The peak follower's floor (the limiter's ceiling and recovery are measured through the
// plug-in in tests/sound).

#include <gtest/gtest.h>

#include <cmath>

#include "PeakFollowerStereo.h"

namespace {

constexpr double kFs = 48000;

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
