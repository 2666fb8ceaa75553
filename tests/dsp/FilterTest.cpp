// The bell filter's contract: a fresh filter is silent, bypass passes samples and keeps the
// memory, tiny outputs flush to +0.0, and settings the equations cannot turn into a sound filter
// give an identity. Its response at every step is measured through the plug-in in tests/sound.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "FilterPeakStereo.h"

namespace {

TEST(FilterContract, FreshSilentBypassKeepsMemoryAndTinyOutputsFlush) {
  FilterPeakStereo fresh;
  double l = 0.5, r = -0.25;
  fresh.Process(l, r);
  EXPECT_EQ(l, 0.0);
  EXPECT_EQ(r, 0.0);

  FilterPeakStereo a, b;
  for (FilterPeakStereo* f : {&a, &b}) {
    f->SetSampleRate(48000);
    f->SetFrequency(100);
    f->SetGain(6);
    f->SetQ(2);
  }
  double la = 0.7, ra = 0.3, lb = 0.7, rb = 0.3;
  a.Process(la, ra);
  b.Process(lb, rb);
  // b is bypassed for a while: samples pass bit for bit and its memory stays.
  b.SetBypass(true);
  double passL = 0.123456789, passR = -0.987654321;
  b.Process(passL, passR);
  EXPECT_EQ(passL, 0.123456789);
  EXPECT_EQ(passR, -0.987654321);
  b.SetBypass(false);
  la = lb = 0.2;
  ra = rb = 0.1;
  a.Process(la, ra);
  b.Process(lb, rb);
  EXPECT_EQ(la, lb);
  EXPECT_EQ(ra, rb);

  FilterPeakStereo f;
  f.SetSampleRate(44100);
  f.SetFrequency(1000);
  f.SetGain(3);
  f.SetQ(1);
  l = 1e-39;  // normal doubles, below the flush bound after filtering
  r = -1e-39;
  f.Process(l, r);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(l), 0u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(r), 0u);  // +0.0, not -0.0
}

// Never a filter with non-finite or runaway coefficients.
TEST(FilterGuards, UnsoundSettingsGiveAnIdentity) {
  struct Case {
    double sampleRate, frequency, quality;
  };
  const Case cases[] = {
      {8000, 4000, 1},    // at Nyquist: the Click band's top step at 8 kHz
      {8000, 4000.5, 4},  // above Nyquist
      {44100, 1000, 0},   // quality 0
      {44100, 1000, -2},  // negative quality
      {0, 1000, 1},       // sample rate 0
      {44100, 0, 1},      // centre at DC
  };
  for (const Case& c : cases) {
    FilterPeakStereo f;
    f.SetGain(9);
    f.SetQ(c.quality);
    f.SetFrequency(c.frequency);
    f.SetSampleRate(c.sampleRate);
    for (int n = 0; n < 2000; ++n) {
      const double x = 0.8 * std::sin(2.0 * 3.141592653589793 * 997 / 44100 * n);
      double l = x, r = -x;
      f.Process(l, r);
      ASSERT_EQ(l, x) << c.sampleRate << " Hz, " << c.frequency << " Hz, q " << c.quality;
      ASSERT_EQ(r, -x);
    }
  }
}

}  // namespace
