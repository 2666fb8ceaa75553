// The real chain against the plain reference, bit for bit: the kick through every factory
// preset, seeded random signals with random parameter changes, the exact boundaries of the
// shortcuts, and once a deliberately wrong reference to show the comparison can fail.

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <vector>

#include "ChainHarness.h"
#include "Compressor.h"
#include "KickSignal.h"
#include "LimiterStereo.h"
#include "PowTenNearUnity.h"

namespace {

const int kBlockPattern[] = {512, 1, 37, 4096, 3, 64, 511, 2};

// Runs a whole signal in blocks of the pattern; returns the index of the first block that
// differs, or -1.
int FirstDifferingBlock(ChainPair& pair, const StereoSignal& s) {
  const int frames = static_cast<int>(s.left.size());
  int block = 0;
  for (int pos = 0; pos < frames; ++block) {
    const int n = std::min(kBlockPattern[block % 8], frames - pos);
    if (!pair.ProcessAndCompare(s.left.data() + pos, s.right.data() + pos, n)) {
      return block;
    }
    pos += n;
  }
  return -1;
}

TEST(FastPathIdentity, KickThroughEveryFactoryPreset) {
  for (double fs : {11025.0, 44100.0, 48000.0, 96000.0, 192000.0}) {
    for (double peak : {0.9, 2.5}) {
      const StereoSignal kick = MakeKick(fs, 0.6, peak);
      for (const FactoryPreset& preset : kFactoryPresets) {
        ChainPair pair;
        pair.SetAll(ProductParams::ForPreset(preset));
        pair.Reset(fs);
        EXPECT_EQ(FirstDifferingBlock(pair, kick), -1)
            << preset.name << " at " << fs << " Hz, peak " << peak;
      }
    }
  }
}

// A deliberately wrong reference (ln 2 / 2 in double instead of single precision) must be
// told apart: the comparison can fail.
TEST(FastPathIdentity, PerturbedReferenceIsCaught) {
  const StereoSignal kick = MakeKick(48000, 0.2);
  ChainPair pair;
  for (ref::PeakFilter* band :
       {&pair.reference.warmth, &pair.reference.boxiness, &pair.reference.click}) {
    band->lnTwoHalf = std::log(2.0) / 2;
  }
  pair.SetAll(ProductParams::ForPreset(kFactoryPresets[0]));
  pair.Reset(48000);
  // Blocks 0..2 (550 frames) are the silence before the first hit; block 3 reaches it.
  EXPECT_EQ(FirstDifferingBlock(pair, kick), 3);
}

// Random signals of every kind (loud, quiet, tiny, silent, kicks), random parameter changes
// between blocks, resets, redraws, block sizes and both detection modes.
TEST(FastPathIdentity, RandomSignalsWithRandomParameterChanges) {
  for (double fs : {22050.0, 44100.0, 48000.0, 88200.0, 384000.0}) {
    const unsigned seed = 1000 + static_cast<unsigned>(fs);
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << fs << " Hz");
    std::mt19937 rng(seed);
    auto uniform = [&](double lo, double hi) {
      return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const StereoSignal kick = MakeKick(fs, 0.5, 1.2);

    ChainPair pair;
    pair.SetAll(ProductParams::ForPreset(kFactoryPresets[below(kNumFactoryPresets)]));
    pair.Reset(fs);
    std::vector<double> l, r;
    for (int block = 0; block < 400; ++block) {
      for (int changes = below(4) - 1; changes > 0; --changes) {
        const int idx = below(kNumParams);
        double value;
        if (idx <= 2) {
          value = below(4) == 0 ? 1 : 0;
        } else if (idx <= 11) {
          value = below(10) == 0 ? uniform(-2, 4) : below(3);  // now and then out of range
        } else {
          const double lo[] = {1, 0, 1, 1, 0}, hi[] = {20, 48, 100, 500, 24};
          value = uniform(lo[idx - 12], hi[idx - 12]);
        }
        pair.SetParam(idx, value);
      }
      if (below(50) == 0) {
        pair.Reset(fs);
      }
      if (below(8) == 0) {
        pair.Redraw();
      }
      const int sizes[] = {1, 2, 3, 64, 511, 512, 4096};
      const int n = below(3) == 0 ? sizes[below(7)] : 1 + below(700);
      l.assign(n, 0.0);
      r.assign(n, 0.0);
      const int kind = below(6);
      const double gain = std::pow(10.0, uniform(-60, 14) / 20);
      const int offset = below(static_cast<int>(kick.left.size()) - 4096);
      for (int i = 0; i < n; ++i) {
        switch (kind) {
          case 0:  // noise
            l[i] = gain * uniform(-1, 1);
            r[i] = gain * uniform(-1, 1);
            break;
          case 1:  // tiny values around the flush bound
            l[i] = uniform(-1, 1) * 1e-36;
            r[i] = uniform(-1, 1) * 1e-300;
            break;
          case 2:  // kick
            l[i] = gain * kick.left[offset + i];
            r[i] = gain * kick.right[offset + i];
            break;
          case 3:  // one channel only
            l[i] = gain * std::sin(0.01 * i);
            break;
          default:  // silence: the release tails
            break;
        }
      }
      const int mode = below(5) == 0 ? 1 : 2;
      ASSERT_TRUE(pair.ProcessAndCompare(l.data(), r.data(), n, mode))
          << "block " << block << ", kind " << kind << ", " << n << " frames";
    }
  }
}

// The detector's linear shortcut against 20·log10(v) > threshold, at and around the exact
// boundary of every threshold the product offers and of the guard band.
TEST(FastPathIdentity, ThresholdDecisionAtTheBoundary) {
  for (int tenths = 0; tenths <= 480; ++tenths) {
    const double threshold = -tenths / 10.0;
    const double boundary = std::pow(10.0, threshold / 20);
    for (double centre : {boundary, boundary * (1 - 1e-9)}) {
      double v = centre;
      for (int i = 0; i < 20; ++i) {
        v = std::nextafter(v, 0.0);
      }
      for (int step = 0; step < 40; ++step, v = std::nextafter(v, 2.0)) {
        Compressor fast;
        ref::Compressor plain;
        fast.SetThreshold(threshold);
        plain.SetThreshold(threshold);
        fast.SetRatio(2);
        plain.SetRatio(2);
        fast.SetSampleRate(48000);
        plain.SetSampleRate(48000);
        double fl = v, fr = v, pl = v, pr = v;
        fast.Process(fl, fr, 2);
        plain.Process(pl, pr, 2);
        ASSERT_TRUE(ChainPair::Same(fast.GetGainChange(), plain.gainChange))
            << threshold << " dB, v = " << v;
        ASSERT_TRUE(ChainPair::Same(fl, pl) && ChainPair::Same(fr, pr));
      }
    }
  }
}

// The limiter's unity shortcut at peaks of exactly, just below and just above full scale.
TEST(FastPathIdentity, LimiterAtFullScale) {
  for (double peak : {1.0, std::nextafter(1.0, 0.0), std::nextafter(1.0, 2.0), 0.5, 4.0}) {
    LimiterStereo fast;
    ref::Limiter plain;
    fast.SetSampleRate(44100);
    plain.SetSampleRate(44100);
    for (double x : {peak, -peak * 0.999, 0.3, 0.0}) {
      double fl = x, fr = -x * 0.5, pl = x, pr = -x * 0.5;
      fast.Process(fl, fr);
      plain.Process(pl, pr);
      ASSERT_TRUE(ChainPair::Same(fl, pl) && ChainPair::Same(fr, pr)) << peak << " " << x;
    }
  }
}

// PowTenNearUnity answers only where pow's result is forced, and then with that result.
TEST(FastPathIdentity, PowTenNearUnityAgreesWithPow) {
  const unsigned seed = 424242;
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> exponent(kPowTenNearUnityMinExponent, 0.0);
  std::uniform_real_distribution<double> logScale(-330.0, std::log10(-kPowTenNearUnityMinExponent));
  int answered = 0;
  const int trials = 1000000;
  for (int i = 0; i < trials; ++i) {
    // Half uniform, half spread over every magnitude down to denormals.
    const double y = i % 2 ? exponent(rng) : -std::pow(10.0, logScale(rng));
    double g;
    if (PowTenNearUnity(y, g)) {
      ++answered;
      ASSERT_TRUE(ChainPair::Same(g, std::pow(10.0, y))) << "y = " << y << ", seed " << seed;
    }
  }
  EXPECT_GT(answered, trials * 8 / 10);
  double g;
  EXPECT_FALSE(PowTenNearUnity(0.001, g));
  EXPECT_FALSE(PowTenNearUnity(-0.01, g));
  EXPECT_FALSE(PowTenNearUnity(std::nan(""), g));
}

// Denormal input enters the chain as zero; with the bands in place this gives exactly the
// reference's bits, which computes with the denormals themselves.
TEST(FastPathIdentity, DenormalInputGivesTheSameBits) {
  ChainPair pair;
  pair.SetAll(ProductParams::ForPreset(kFactoryPresets[4]));
  pair.Reset(48000);
  StereoSignal s = MakeKick(48000, 0.1);
  for (int i = 0; i < 4800; ++i) {
    s.left.push_back((i % 5 - 2) * 1e-310);
    s.right.push_back(i % 3 ? DBL_MIN / 3 : 1e-20);
  }
  EXPECT_EQ(FirstDifferingBlock(pair, s), -1);
}

}  // namespace
