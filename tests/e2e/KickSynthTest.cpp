// The kick test signal: deterministic, -3 dBFS peak, hits every half second whose pitch falls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/kickgen/KickSynth.h"

namespace {

TEST(KickSynth, DeterministicHitsEveryHalfSecondAtMinus3DbfsWithFallingPitch) {
  constexpr int rate = 48000;
  std::vector<double> kicks = kickgen::synthesizeKicks(rate, 4.0);
  ASSERT_EQ(kicks.size(), 192000u);
  EXPECT_EQ(kicks, kickgen::synthesizeKicks(rate, 4.0));
  EXPECT_TRUE(kickgen::synthesizeKicks(44100, 0.0).empty());
  auto at = [](double seconds) { return static_cast<std::size_t>(seconds * rate); };
  auto peak = [&](double from, double to) {
    double p = 0.0;
    for (std::size_t i = at(from); i < at(to); ++i) p = std::max(p, std::fabs(kicks[i]));
    return p;
  };
  // Zero crossings per second, halved: the frequency of a sine.
  auto pitch = [&](double from, double to) {
    int crossings = 0;
    for (std::size_t i = at(from) + 1; i < at(to); ++i) {
      crossings += (kicks[i - 1] < 0.0) != (kicks[i] < 0.0);
    }
    return crossings / (to - from) / 2.0;
  };
  EXPECT_NEAR(20.0 * std::log10(peak(0.0, 4.0)), -3.0, 1e-9);
  // Silence before the first hit and in the gap before each following one.
  for (double gapStart : {0.0, 0.5, 1.0, 1.5}) {
    EXPECT_EQ(peak(gapStart + (gapStart == 0.0 ? 0.0 : 0.001), gapStart + 0.049), 0.0) << gapStart;
  }
  // Each hit starts loud (its strongest sample in the first 20 ms); the second is softer.
  const double hit = 0.05;
  EXPECT_GT(peak(hit, hit + 0.02), 2.0 * peak(hit + 0.2, hit + 0.4));
  EXPECT_LT(peak(0.55, 0.95), peak(0.05, 0.45));
  // Pitch: well above 100 Hz right after the click, near 45 Hz at the tail.
  EXPECT_GT(pitch(hit + 0.01, hit + 0.03), 100.0);
  EXPECT_NEAR(pitch(hit + 0.2, hit + 0.4), 45.0, 5.0);
}

}  // namespace
