// The parameter handler's operations on the chain: step tables, the rule that values outside
// 0..2 change nothing, bypass, and the compressor cascade 12 -> 16.

#include <gtest/gtest.h>

#include <cmath>

#include "KickChain.h"

namespace {

TEST(ParameterOps, StepsSelectFromTheBandTables) {
  KickChain chain;
  chain.SetBandFrequency(KickChain::kClick, 2);
  chain.SetBandGain(KickChain::kBoxiness, 2);
  chain.SetBandQuality(KickChain::kWarmth, 1);
  EXPECT_EQ(chain.GetBand(KickChain::kClick).GetFrequency(), 4000.0);
  EXPECT_EQ(chain.GetBand(KickChain::kBoxiness).GetGain(), -12.0);
  EXPECT_EQ(chain.GetBand(KickChain::kWarmth).GetQ(), 2.0);
  // The integer value is the truncation toward zero.
  chain.SetBandFrequency(KickChain::kWarmth, 1.9);
  EXPECT_EQ(chain.GetBand(KickChain::kWarmth).GetFrequency(), 90.0);
  chain.SetBandFrequency(KickChain::kWarmth, -0.5);
  EXPECT_EQ(chain.GetBand(KickChain::kWarmth).GetFrequency(), 50.0);
}

TEST(ParameterOps, ValuesOutsideTheStepsChangeNothing) {
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
}

TEST(ParameterOps, BypassIsOnForANonZeroIntegerValue) {
  KickChain chain;
  EXPECT_TRUE(chain.SetBandBypass(KickChain::kBoxiness, 1.0));
  EXPECT_TRUE(chain.GetBand(KickChain::kBoxiness).GetBypass());
  EXPECT_FALSE(chain.SetBandBypass(KickChain::kBoxiness, 0.99));
  EXPECT_TRUE(chain.SetBandBypass(KickChain::kBoxiness, -1.0));
  EXPECT_FALSE(chain.SetBandBypass(KickChain::kBoxiness, std::nan("")));
  EXPECT_FALSE(chain.SetBandBypass(-1, 1.0));
}

// A change of any compressor parameter re-applies it and every one after it.
TEST(ParameterOps, CompressorCascade) {
  KickChain chain;
  chain.SetCompressorParams(KickChain::kRatioParam, 4, 20, 5, 100, 6);
  const Compressor& c = chain.GetCompressor();
  EXPECT_EQ(c.GetRatio(), 4.0);
  EXPECT_EQ(c.GetThreshold(), -20.0);
  EXPECT_NEAR(c.GetMakeupGain(), std::pow(10.0, 6.0 / 20), 1e-15);

  chain.SetCompressorParams(KickChain::kMakeupParam, 9, 40, 5, 100, 12);
  EXPECT_EQ(c.GetRatio(), 4.0);
  EXPECT_EQ(c.GetThreshold(), -20.0);
  EXPECT_NEAR(c.GetMakeupGain(), std::pow(10.0, 12.0 / 20), 1e-15);

  chain.SetCompressorParams(KickChain::kThresholdParam, 9, 40, 5, 100, 0);
  EXPECT_EQ(c.GetRatio(), 4.0);
  EXPECT_EQ(c.GetThreshold(), -40.0);
  EXPECT_EQ(c.GetMakeupGain(), 1.0);

  chain.SetCompressorParams(17, 2, 0, 1, 1, 0);
  chain.SetCompressorParams(11, 2, 0, 1, 1, 0);
  EXPECT_EQ(c.GetThreshold(), -40.0);
}

}  // namespace
