// The kick test signal: deterministic, -3 dBFS peak, hits every half second whose pitch falls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/kickgen/KickSynth.h"

namespace {

// Zero crossings per second in [from, to) seconds: twice the frequency of a sine.
double crossingRate(const std::vector<double>& x, int rate, double from, double to) {
  auto begin = static_cast<std::size_t>(from * rate), end = static_cast<std::size_t>(to * rate);
  int crossings = 0;
  for (std::size_t i = begin + 1; i < end; ++i) crossings += (x[i - 1] < 0.0) != (x[i] < 0.0);
  return crossings / (to - from);
}

TEST(KickSynth, DeterministicWithAMinus3DbfsPeak) {
  std::vector<double> kicks = kickgen::synthesizeKicks(48000, 4.0);
  ASSERT_EQ(kicks.size(), 192000u);
  EXPECT_EQ(kicks, kickgen::synthesizeKicks(48000, 4.0));
  double peak = 0.0;
  for (double sample : kicks) peak = std::max(peak, std::fabs(sample));
  EXPECT_NEAR(20.0 * std::log10(peak), -3.0, 1e-9);
  EXPECT_TRUE(kickgen::synthesizeKicks(44100, 0.0).empty());
}

TEST(KickSynth, HitsEveryHalfSecondWithFallingPitch) {
  const int rate = 48000;
  std::vector<double> kicks = kickgen::synthesizeKicks(rate, 2.0);
  // Silence before the first hit and in the gap before each following one.
  for (double gapStart : {0.0, 0.5, 1.0, 1.5}) {
    auto from = static_cast<std::size_t>((gapStart + (gapStart == 0.0 ? 0.0 : 0.001)) * rate);
    auto to = static_cast<std::size_t>((gapStart + 0.049) * rate);
    for (std::size_t i = from; i < to; ++i) ASSERT_EQ(kicks[i], 0.0) << "sample " << i;
  }
  // Each hit starts loud: the strongest sample of a hit lies in its first 20 ms.
  const double hitStart = 0.05;
  auto hitPeak = [&](double from, double to) {
    double peak = 0.0;
    for (auto i = static_cast<std::size_t>(from * rate); i < static_cast<std::size_t>(to * rate);
         ++i) {
      peak = std::max(peak, std::fabs(kicks[i]));
    }
    return peak;
  };
  EXPECT_GT(hitPeak(hitStart, hitStart + 0.02), 2.0 * hitPeak(hitStart + 0.2, hitStart + 0.4));
  // The second hit is softer than the first.
  EXPECT_LT(hitPeak(0.55, 0.95), hitPeak(0.05, 0.45));
  // Pitch: well above 100 Hz right after the click, near 45 Hz at the tail.
  EXPECT_GT(crossingRate(kicks, rate, hitStart + 0.01, hitStart + 0.03) / 2.0, 100.0);
  EXPECT_NEAR(crossingRate(kicks, rate, hitStart + 0.2, hitStart + 0.4) / 2.0, 45.0, 5.0);
}

}  // namespace
