// The chain with buffers and settings a host should not give it: overlapping buffers, a sample
// rate of 0, empty or negative blocks, step values outside 0..2 or not finite, and a ratio that
// is not positive. Rates, block sizes, non-finite and overflowing samples are heard through the
// plug-in in tests/sound; valid settings are compared with the reference in FastPathIdentityTest.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Compressor.h"
#include "KickChain.h"
#include "KickSignal.h"
#include "ProductParams.h"

namespace {

KickChain ChainFor(const FactoryPreset& preset, double fs) {
  KickChain chain;
  ApplyAllParams(chain, ProductParams::ForPreset(preset));
  chain.Reset(fs);
  return chain;
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

// Values outside the steps change nothing; bypass is on for a non-zero integer value.
TEST(ChainGuards, ParameterValuesOutsideTheSteps) {
  KickChain chain;
  chain.SetBandFrequency(KickChain::kBoxiness, 1);
  chain.SetBandGain(KickChain::kBoxiness, 1);
  chain.SetBandQuality(KickChain::kBoxiness, 1);
  for (double v : {3.0, -1.0, 1e300, -1e300, std::nan(""), HUGE_VAL}) {
    chain.SetBandFrequency(KickChain::kBoxiness, v);
    chain.SetBandGain(KickChain::kBoxiness, v);
    chain.SetBandQuality(KickChain::kBoxiness, v);
  }
  chain.SetBandFrequency(7, 0);  // no such band
  EXPECT_EQ(chain.GetBand(KickChain::kBoxiness).GetFrequency(), 300.0);
  EXPECT_EQ(chain.GetBand(KickChain::kBoxiness).GetGain(), -8.0);
  EXPECT_EQ(chain.GetBand(KickChain::kBoxiness).GetQ(), 2.0);

  EXPECT_TRUE(chain.SetBandBypass(KickChain::kBoxiness, 1.0));
  EXPECT_TRUE(chain.GetBand(KickChain::kBoxiness).GetBypass());
  EXPECT_FALSE(chain.SetBandBypass(KickChain::kBoxiness, 0.99));
  EXPECT_TRUE(chain.SetBandBypass(KickChain::kBoxiness, -1.0));
  EXPECT_FALSE(chain.SetBandBypass(KickChain::kBoxiness, std::nan("")));
  EXPECT_FALSE(chain.SetBandBypass(-1, 1.0));
}

// A ratio that is not positive would divide by zero; the compressor acts as 1:1.
TEST(ChainGuards, NonPositiveRatioDoesNotCompress) {
  for (double ratio : {0.0, -2.0, std::nan("")}) {
    Compressor c;
    c.SetRatio(ratio);
    c.SetThreshold(-20);
    c.SetSampleRate(48000);
    double l = 0, r = 0;
    for (int n = 0; n < 1000; ++n) {
      l = n % 2 ? -1.0 : 1.0;
      r = l;
      c.Process(l, r, 2);
    }
    EXPECT_EQ(c.GetGainChange(), 0.0) << ratio;
    EXPECT_TRUE(std::isfinite(l) && std::isfinite(r)) << ratio;
  }
}

}  // namespace
