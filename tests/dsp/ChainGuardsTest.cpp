// The chain under faulty or extreme conditions: every sample rate and block size with every
// factory preset, non-finite and overflowing samples, and overlapping buffers.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "KickChain.h"
#include "KickSignal.h"
#include "ProductParams.h"

namespace {

const double kRates[] = {8000, 11025, 22050, 44100, 48000, 88200, 96000, 176400, 192000, 384000};

KickChain ChainFor(const FactoryPreset& preset, double fs) {
  KickChain chain;
  ApplyAllParams(chain, ProductParams::ForPreset(preset));
  chain.Reset(fs);
  return chain;
}

TEST(ChainGuards, EveryRateBlockSizeAndPresetGivesFiniteOutputWithinFullScale) {
  const int sizes[] = {1, 2, 3, 64, 511, 512, 4096};
  for (double fs : kRates) {
    // A kick 8 dB over full scale, so compressor and limiter both work.
    const StereoSignal kick = MakeKick(fs, 0.3, 2.5);
    const int frames = static_cast<int>(kick.left.size());
    for (const FactoryPreset& preset : kFactoryPresets) {
      KickChain chain = ChainFor(preset, fs);
      std::vector<double> outL(frames), outR(frames);
      for (int pos = 0, call = 0; pos < frames; ++call) {
        const int n = std::min(sizes[call % 7], frames - pos);
        chain.Process(kick.left.data() + pos, kick.right.data() + pos, outL.data() + pos,
                      outR.data() + pos, n, 2);
        pos += n;
      }
      for (int i = 0; i < frames; ++i) {
        ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i]))
            << preset.name << " at " << fs << " Hz, frame " << i;
        ASSERT_LE(std::fabs(outL[i]), 1.0);
        ASSERT_LE(std::fabs(outR[i]), 1.0);
      }
      // The chain did something: the output is not silent within the first hit (from 50 ms).
      EXPECT_GT(std::fabs(outL[frames / 5]) + std::fabs(outL[frames / 4]), 0.0);
    }
  }
}

// At 8 kHz the Click band's 4000 Hz step sits at Nyquist: the band becomes an identity.
TEST(ChainGuards, ClickAtNyquistPassesTheSignal) {
  KickChain chain;
  chain.SetBandBypass(KickChain::kWarmth, 1);
  chain.SetBandBypass(KickChain::kBoxiness, 1);
  chain.SetBandFrequency(KickChain::kClick, 2);
  chain.SetBandGain(KickChain::kClick, 2);
  chain.SetCompressorParams(KickChain::kRatioParam, 1, 0, 10, 50, 0);
  chain.Reset(8000);
  KickChain bypassed = chain;
  bypassed.SetBandBypass(KickChain::kClick, 1);
  const StereoSignal kick = MakeKick(8000, 0.5, 0.5);
  const int n = static_cast<int>(kick.left.size());
  std::vector<double> a(n), b(n), c(n), d(n);
  chain.Process(kick.left.data(), kick.right.data(), a.data(), b.data(), n, 2);
  bypassed.Process(kick.left.data(), kick.right.data(), c.data(), d.data(), n, 2);
  EXPECT_EQ(a, c);
  EXPECT_EQ(b, d);
}

// Non-finite samples enter as zeros: the output is bit for bit what zeros there would give,
// including everything after them.
TEST(ChainGuards, NonFiniteSamplesActAsSilence) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  StereoSignal bad = MakeKick(48000, 0.5);
  StereoSignal zeros = bad;
  for (int i = 3000; i < 3100; ++i) {
    bad.left[i] = i % 2 ? nan : inf;
    bad.right[i] = i % 3 ? -inf : nan;
    zeros.left[i] = zeros.right[i] = 0.0;
  }
  KickChain a = ChainFor(kFactoryPresets[4], 48000);
  KickChain b = a;
  const int n = static_cast<int>(bad.left.size());
  std::vector<double> al(n), ar(n), bl(n), br(n);
  for (int pos = 0; pos < n; pos += 512) {
    const int m = std::min(512, n - pos);
    a.Process(bad.left.data() + pos, bad.right.data() + pos, al.data() + pos, ar.data() + pos, m,
              2);
    b.Process(zeros.left.data() + pos, zeros.right.data() + pos, bl.data() + pos, br.data() + pos,
              m, 2);
  }
  EXPECT_EQ(al, bl);
  EXPECT_EQ(ar, br);
  EXPECT_EQ(a.GetOutputMeter().GetDisplayedLevel(), b.GetOutputMeter().GetDisplayedLevel());
}

// Samples near the largest double overflow inside the bands. That block stays within ±1;
// from the next block on the chain works normally again.
TEST(ChainGuards, OverflowingSamplesDoNotLeaveTheChainStuck) {
  const double fs = 48000;
  KickChain chain = ChainFor(kFactoryPresets[0], fs);
  std::vector<double> huge(512, std::numeric_limits<double>::max()), outL(512), outR(512);
  for (int i = 0; i < 512; i += 2) {
    huge[i] = -huge[i];
  }
  chain.Process(huge.data(), huge.data(), outL.data(), outR.data(), 512, 2);
  for (int i = 0; i < 512; ++i) {
    ASSERT_LE(std::fabs(outL[i]), 1.0);  // NaN fails this too
  }
  // The next blocks: a quiet sine must come out finite and, once the fade-in has settled,
  // just as a chain that never saw the overflow gives it.
  KickChain clean = ChainFor(kFactoryPresets[0], fs);
  std::vector<double> sine(512), cleanL(512), cleanR(512);
  for (int block = 0; block < 200; ++block) {
    for (int i = 0; i < 512; ++i) {
      sine[i] = 0.25 * std::sin(2 * 3.141592653589793 * 200 * (block * 512 + i) / fs);
    }
    chain.Process(sine.data(), sine.data(), outL.data(), outR.data(), 512, 2);
    clean.Process(sine.data(), sine.data(), cleanL.data(), cleanR.data(), 512, 2);
    for (int i = 0; i < 512; ++i) {
      ASSERT_TRUE(std::isfinite(outL[i])) << "block " << block;
      if (block > 100) {
        ASSERT_NEAR(outL[i], cleanL[i], 1e-9) << "block " << block;
      }
    }
  }
  EXPECT_TRUE(std::isfinite(chain.GetGainReductionMeter().GetDisplayedLevel()));
  EXPECT_TRUE(std::isfinite(chain.GetOutputMeter().GetDisplayedLevel()));
}

// In place, or with both outputs in one buffer, the chain gives what separate buffers give.
TEST(ChainGuards, OverlappingBuffers) {
  const StereoSignal kick = MakeKick(44100, 0.2);
  const int n = static_cast<int>(kick.left.size());
  KickChain separate = ChainFor(kFactoryPresets[1], 44100);
  KickChain inPlace = separate;
  KickChain shared = separate;
  std::vector<double> l(n), r(n);
  separate.Process(kick.left.data(), kick.right.data(), l.data(), r.data(), n, 2);
  StereoSignal io = kick;
  inPlace.Process(io.left.data(), io.right.data(), io.left.data(), io.right.data(), n, 2);
  EXPECT_EQ(io.left, l);
  EXPECT_EQ(io.right, r);
  std::vector<double> one(n);
  shared.Process(kick.left.data(), kick.right.data(), one.data(), one.data(), n, 2);
  EXPECT_EQ(one, r);
}

TEST(ChainGuards, ZeroSampleRateAndEmptyBlocks) {
  KickChain chain = ChainFor(kFactoryPresets[4], 0.0);
  const StereoSignal kick = MakeKick(48000, 0.1);
  const int n = static_cast<int>(kick.left.size());
  std::vector<double> l(n), r(n);
  chain.Process(kick.left.data(), kick.right.data(), l.data(), r.data(), 0, 2);
  chain.Process(kick.left.data(), kick.right.data(), l.data(), r.data(), -5, 2);
  chain.Process(kick.left.data(), kick.right.data(), l.data(), r.data(), n, 2);
  for (int i = 0; i < n; ++i) {
    ASSERT_TRUE(std::isfinite(l[i]) && std::fabs(l[i]) <= 1.0);
  }
}

}  // namespace
