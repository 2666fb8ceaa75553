// The 0 dBFS limiter at the end of the chain: no sample ever leaves above full scale, however
// loud the input and the make-up gain, in every factory preset; and after a single loud sample
// the gain recovers along the 3 ms release.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/sound/SoundHost.h"

namespace {

using namespace sound;
using host::Precision;

double peakOf(const Signal& signal) {
  double peak = 0.0;
  for (const auto& channel : signal) {
    for (double x : channel) peak = std::max(peak, std::fabs(x));
  }
  return peak;
}

TEST(Limiter, NothingLeavesAboveFullScale) {
  const uint32_t seed = 20261206;
  e2e::seededRandom("Limiter.NothingLeavesAboveFullScale", seed);
  auto plugin = e2e::openTundrax();
  plugin->resume();
  double loudest = 0.0;
  for (int program = 0; program < e2e::kNumPrograms; ++program) {
    for (double makeup : {0.0, 48.0}) {
      for (double peakDbfs : {12.0, 30.0, 60.0}) {
        plugin->setProgram(program);
        setReal(*plugin, kMakeup, makeup);
        const Signal in = loudStereo(48000, 19200, peakDbfs, seed, 0.5);
        for (Precision precision : {Precision::Double, Precision::Single}) {
          const Signal out = render(*plugin, precision, in);
          const double peak = peakOf(out);
          loudest = std::max(loudest, peak);
          ASSERT_LE(peak, 1.0) << e2e::kProgramNames[program] << ", make-up " << makeup
                               << " dB, input peak +" << peakDbfs << " dBFS, "
                               << (precision == Precision::Double ? "double" : "single");
          ASSERT_GT(peak, 0.9);  // the limiter works at the ceiling, not far under it
        }
      }
    }
  }
  std::printf("loudest output sample: %.17g\n", loudest);
}

// A steady 0.1 on both channels, one sample of 4.0 (+12 dBFS) on the left: that sample comes
// out at full scale, and both channels then get the gain 1 / s, where the detected peak s
// falls back towards 0.1 with a 3 ms release, its excess over the input decaying to 36.7 %
// (e^-1.00239343) per 3 ms, until the gain is 1 again.
TEST(Limiter, RecoversAlongItsReleaseAfterOneLoudSample) {
  const double rate = 48000.0;
  auto plugin = openBypassed(rate);
  const std::size_t settle = 24000, spike = settle, frames = settle + 2400;
  Signal in(2, std::vector<double>(frames, 0.1));
  render(*plugin, Precision::Double, in);  // make-up fade-in settled
  in[0][spike] = 4.0;
  const Signal out = render(*plugin, Precision::Double, in);

  EXPECT_NEAR(out[0][spike], 1.0, 1e-12);
  EXPECT_LE(out[0][spike], 1.0);
  EXPECT_NEAR(out[1][spike], 0.025, 1e-12);  // linked: the quiet channel is reduced as well
  const double c = std::exp(-1.00239343 / (3.0 * rate * 0.001));
  double s = 4.0;
  std::size_t recovered = 0;
  for (std::size_t k = 1; spike + k < frames; ++k) {
    s = 0.1 + (s - 0.1) * c;
    const double expected = s > 1.0 ? 0.1 / s : 0.1;
    if (s <= 1.0 && recovered == 0) recovered = k;
    ASSERT_NEAR(out[0][spike + k], expected, 1e-9) << k << " frames after the loud sample";
    ASSERT_EQ(out[0][spike + k], out[1][spike + k]);
  }
  const std::size_t at3ms = static_cast<std::size_t>(0.003 * rate);
  const double excess = (0.1 / out[0][spike + at3ms] - 0.1) / 3.9;
  EXPECT_NEAR(excess, std::exp(-1.00239343), 1e-6);
  std::printf("excess after 3 ms: %.4f; gain back at 1 after %.2f ms\n", excess,
              1000.0 * static_cast<double>(recovered) / rate);
  EXPECT_GT(recovered, at3ms);
  EXPECT_LT(recovered, 2 * at3ms);
}

}  // namespace
