// Single precision is double precision with the host's rounding at both ends: the single path
// widens the input, processes in double and narrows the output, so it must give exactly the
// narrowed output of the double path fed the same (float) samples.
#include <gtest/gtest.h>

#include "tests/sound/SoundHost.h"

namespace {

using namespace sound;
using host::Precision;

std::unique_ptr<host::PluginInstance> compressingInstance(int program, int channels) {
  auto plugin = e2e::openTundrax();
  if (channels == 1) {
    EXPECT_TRUE(plugin->setSpeakerArrangement(1, 1));
  }
  plugin->setProgram(program);
  setReal(*plugin, kThresholdDepth, 20.0);
  setReal(*plugin, kMakeup, 12.0);
  plugin->resume();
  return plugin;
}

TEST(Precision, SinglePathIsTheDoublePathNarrowed) {
  const uint32_t seed = 7001;
  e2e::seededRandom("Precision.SinglePathIsTheDoublePathNarrowed", seed);
  for (int channels : {2, 1}) {
    Signal in = loudStereo(48000, 24000, 6.0, seed, 1.0);
    in.resize(static_cast<std::size_t>(channels));
    for (auto& channel : in) {
      for (double& x : channel) x = static_cast<float>(x);  // what a single-precision host has
    }
    for (int program : {0, 4, 7, 10}) {
      SCOPED_TRACE(testing::Message()
                   << e2e::kProgramNames[program] << ", " << channels << " channel(s)");
      auto single = compressingInstance(program, channels);
      auto dbl = compressingInstance(program, channels);
      const Signal singleOut = render(*single, Precision::Single, in, 500);
      const Signal doubleOut = render(*dbl, Precision::Double, in, 500);
      double largest = 0.0;
      for (int c = 0; c < channels; ++c) {
        for (std::size_t n = 0; n < in[0].size(); ++n) {
          ASSERT_EQ(singleOut[c][n], static_cast<float>(doubleOut[c][n]))
              << "channel " << c << " frame " << n;
          largest = std::max(largest, std::fabs(doubleOut[c][n]));
        }
      }
      EXPECT_GT(largest, 0.5);  // loud enough for the compressor and the limiter to act
    }
  }
}

}  // namespace
