// Hosts and input the plug-in must survive with its sound intact: every sample rate and block
// size with calls of changing length, in every factory preset; samples that are not a number,
// infinite, huge or denormal; and calls longer than the announced block size.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "tests/sound/SoundHost.h"
#include "tools/host/BlockProcessor.h"

namespace {

using namespace sound;
using host::Precision;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Empty when every sample is finite and within full scale, else where the first is not.
std::string firstBadSample(const host::BlockProcessor& processor, int32_t frames) {
  for (int c = 0; c < processor.channels(); ++c) {
    for (int32_t n = 0; n < frames; ++n) {
      const double y = processor.output(c)[static_cast<std::size_t>(n)];
      if (!std::isfinite(y) || std::fabs(y) > 1.0) {
        return "channel " + std::to_string(c) + " frame " + std::to_string(n) + " is " +
               std::to_string(y);
      }
    }
  }
  return "";
}

TEST(Robustness, EveryRateBlockSizeAndPresetGivesSoundOutput) {
  const uint32_t seed = 424242;
  std::mt19937 random = e2e::seededRandom("Robustness.EveryRateBlockSizeAndPreset", seed);
  const double rates[] = {8000, 11025, 22050, 44100, 48000, 88200, 96000, 176400, 192000, 384000};
  const int32_t sizes[] = {1, 2, 3, 64, 511, 512, 4096};
  constexpr std::size_t kFrames = 3000;
  for (double rate : rates) {
    const Signal in = loudStereo(static_cast<int>(rate), kFrames, 18.0, seed, 0.7);
    auto plugin = e2e::openTundrax();
    plugin->setSampleRate(rate);
    for (int program = 0; program < e2e::kNumPrograms; ++program) {
      plugin->setProgram(program);
      setReal(*plugin, kThresholdDepth, 24.0);
      const Precision precision = program % 2 ? Precision::Single : Precision::Double;
      for (int32_t announced : sizes) {
        plugin->suspend();
        plugin->setBlockSize(announced);
        plugin->resume();
        host::BlockProcessor processor(*plugin, 2, announced, precision);
        for (std::size_t at = 0; at < kFrames;) {
          // A listed size that fits, or any shorter count.
          int32_t frames = sizes[random() % std::size(sizes)];
          if (frames > announced) frames = 1 + static_cast<int32_t>(random() % announced);
          frames = std::min<int32_t>(frames, static_cast<int32_t>(kFrames - at));
          for (int c = 0; c < 2; ++c) {
            std::copy_n(in[c].begin() + static_cast<std::ptrdiff_t>(at), frames,
                        processor.input(c).begin());
          }
          processor.process(frames);
          const std::string bad = firstBadSample(processor, frames);
          ASSERT_EQ(bad, "") << rate << " Hz, " << e2e::kProgramNames[program] << ", block size "
                             << announced << ", call of " << frames << " at frame " << at;
          at += static_cast<std::size_t>(frames);
        }
      }
    }
  }
}

// Non-finite samples enter as silence: the output is exactly that of a twin instance fed
// zeros at those places, during the bad samples and after them, on both precision paths.
TEST(Robustness, NonFiniteSamplesAreHeardAsSilence) {
  const uint32_t seed = 99;
  e2e::seededRandom("Robustness.NonFiniteSamplesAreHeardAsSilence", seed);
  const Signal clean = loudStereo(48000, 36000, 0.0, seed, 0.7);
  struct Bad {
    std::size_t from, to;  // frames [from, to)
    int channel;           // 0, 1, or 2 for both
    double value;
  };
  const Bad bads[] = {
      {100, 101, 0, kNaN},      {101, 102, 1, kInf},      {5100, 5200, 2, kNaN},
      {10240, 10752, 0, -kInf}, {10240, 10752, 1, kNaN},  {20000, 20001, 2, -kInf},
      {30000, 30010, 0, kInf},  {30005, 30006, 1, -kNaN},
  };
  Signal bad = clean, zeroed = clean;
  for (const Bad& b : bads) {
    for (int c = 0; c < 2; ++c) {
      if (b.channel != 2 && b.channel != c) continue;
      for (std::size_t n = b.from; n < b.to; ++n) {
        bad[c][n] = b.value;
        zeroed[c][n] = 0.0;
      }
    }
  }
  for (Precision precision : {Precision::Double, Precision::Single}) {
    SCOPED_TRACE(precision == Precision::Double ? "double" : "single");
    auto tested = e2e::openTundrax();
    auto twin = e2e::openTundrax();
    for (auto* plugin : {tested.get(), twin.get()}) {
      plugin->setProgram(4);
      setReal(*plugin, kThresholdDepth, 18.0);
      plugin->resume();
    }
    const Signal out = render(*tested, precision, bad);
    const Signal expected = render(*twin, precision, zeroed);
    for (int c = 0; c < 2; ++c) {
      for (std::size_t n = 0; n < out[c].size(); ++n) {
        ASSERT_TRUE(std::isfinite(out[c][n])) << "channel " << c << " frame " << n;
        ASSERT_EQ(out[c][n], expected[c][n]) << "channel " << c << " frame " << n;
      }
    }
  }
}

// Finite samples so large that the bands overflow: the output stays within full scale, and
// once the compressor and the limiter have released, the instance sounds exactly like a twin
// that never heard them.
TEST(Robustness, HugeSamplesLeaveNothingStuck) {
  const uint32_t seed = 31337;
  e2e::seededRandom("Robustness.HugeSamplesLeaveNothingStuck", seed);
  const std::size_t hugeFrom = 4000, hugeTo = 4600, frames = 3 * 48000;
  const Signal clean = loudStereo(48000, frames, 0.0, seed, 0.7);
  Signal huge = clean;
  for (std::size_t n = hugeFrom; n < hugeTo; ++n) {
    huge[0][n] = n % 2 ? std::numeric_limits<double>::max() : -1e308;
    huge[1][n] = 1e300;
  }
  auto tested = e2e::openTundrax();
  auto twin = e2e::openTundrax();
  for (auto* plugin : {tested.get(), twin.get()}) {
    plugin->setProgram(7);
    plugin->resume();
  }
  const Signal out = render(*tested, Precision::Double, huge);
  const Signal expected = render(*twin, Precision::Double, clean);
  std::size_t settled = frames;
  for (std::size_t n = frames; n-- > 0;) {
    if (std::fabs(out[0][n] - expected[0][n]) > 1e-9 ||
        std::fabs(out[1][n] - expected[1][n]) > 1e-9) {
      break;
    }
    settled = n;
  }
  for (int c = 0; c < 2; ++c) {
    for (std::size_t n = 0; n < frames; ++n) {
      ASSERT_TRUE(std::isfinite(out[c][n]) && std::fabs(out[c][n]) <= 1.0)
          << "channel " << c << " frame " << n << ": " << out[c][n];
    }
  }
  std::printf("output matches the twin again %.3f s after the huge samples\n",
              static_cast<double>(settled - hugeTo) / 48000.0);
  EXPECT_LT(settled, frames - 48000);  // at least the last second matches
}

// Denormal-range input is inaudible: finite, tiny output, and a clean signal afterwards sounds
// like that of a twin fed zeros instead.
TEST(Robustness, DenormalInputGivesFiniteOutput) {
  const uint32_t seed = 5;
  e2e::seededRandom("Robustness.DenormalInputGivesFiniteOutput", seed);
  const std::size_t denormalFrames = 24000, frames = 36000;
  const Signal clean = loudStereo(48000, frames, -6.0, seed, 0.7);
  for (Precision precision : {Precision::Double, Precision::Single}) {
    const double tiny[] = {precision == Precision::Double ? 1e-310 : 1e-40,
                           precision == Precision::Double ? -4.9e-324 : -1.4e-45,
                           precision == Precision::Double ? 2.2e-308 : 1.1e-38};
    for (bool bypassed : {false, true}) {
      SCOPED_TRACE(testing::Message() << (precision == Precision::Double ? "double" : "single")
                                      << (bypassed ? ", bands bypassed" : ", bands active"));
      Signal denormal = clean, zeroed = clean;
      for (std::size_t n = 0; n < denormalFrames; ++n) {
        denormal[0][n] = tiny[n % 3];
        denormal[1][n] = -tiny[(n + 1) % 3];
        zeroed[0][n] = zeroed[1][n] = 0.0;
      }
      auto tested = e2e::openTundrax();
      auto twin = e2e::openTundrax();
      for (auto* plugin : {tested.get(), twin.get()}) {
        plugin->setProgram(8);
        for (int band = 0; band < 3; ++band) {
          plugin->setParameter(kBypassWarmth + band, bypassed ? 1.0f : 0.0f);
        }
        setReal(*plugin, kMakeup, 48.0);
        plugin->resume();
      }
      const Signal out = render(*tested, precision, denormal);
      const Signal expected = render(*twin, precision, zeroed);
      for (int c = 0; c < 2; ++c) {
        for (std::size_t n = 0; n < frames; ++n) {
          ASSERT_TRUE(std::isfinite(out[c][n])) << "channel " << c << " frame " << n;
          if (n < denormalFrames) {
            ASSERT_LT(std::fabs(out[c][n]), 1e-30) << "channel " << c << " frame " << n;
          } else {
            ASSERT_NEAR(out[c][n], expected[c][n], 1e-12) << "channel " << c << " frame " << n;
          }
        }
      }
    }
  }
}

// A host that announces a small block size and then passes far more frames in one call gets
// the same output as a host that announced enough, on both precision paths and layouts.
TEST(Robustness, CallsLongerThanTheBlockSizeAreProcessedWhole) {
  const uint32_t seed = 64;
  e2e::seededRandom("Robustness.CallsLongerThanTheBlockSize", seed);
  const Signal stereo = loudStereo(48000, 20000, 6.0, seed, 0.7);
  for (int channels : {2, 1}) {
    Signal in = stereo;
    in.resize(static_cast<std::size_t>(channels));
    for (Precision precision : {Precision::Single, Precision::Double}) {
      auto instance = [channels](int32_t announced) {
        auto plugin = e2e::openTundrax();
        if (channels == 1) {
          EXPECT_TRUE(plugin->setSpeakerArrangement(1, 1));
        }
        plugin->setBlockSize(announced);
        plugin->setProgram(2);
        setReal(*plugin, kThresholdDepth, 12.0);
        plugin->resume();
        return plugin;
      };
      auto reference = instance(8192);
      const Signal expected = render(*reference, precision, in, 5000);
      for (int32_t announced : {1, 3, 64, 4096}) {
        auto small = instance(announced);
        EXPECT_EQ(render(*small, precision, in, 5000), expected)
            << channels << " channel(s), " << (precision == Precision::Double ? "double" : "single")
            << ", announced " << announced;
      }
    }
  }
}

}  // namespace
