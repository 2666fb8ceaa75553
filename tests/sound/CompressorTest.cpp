// The compressor through the host interface, with every band bypassed so the signal reaches it
// unchanged: the static curve, attack and release times, the make-up gain and its fade-in after
// a reset, and two-channel detection in the mono layout. Square waves keep the detected level
// steady, so every output sample shows the gain applied to it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "tests/sound/SoundHost.h"

namespace {

using namespace sound;
using host::Precision;

constexpr double kRate = 48000.0;
const double kCovered = 1.0 - std::exp(-5.0);  // of a step, within the set time (~99.33 %)

// The gain in dB applied to frame n.
double gainDb(const Signal& out, const std::vector<double>& in, std::size_t n) {
  return toDb(out[0][n] / in[n]);
}

std::vector<double> joined(const std::vector<std::vector<double>>& parts) {
  std::vector<double> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(Compressor, StaticCurve) {
  struct Case {
    double depth, ratio, amplitude;
  };
  const Case cases[] = {
      {20, 4, 1.0},   // 0 dBFS, threshold -20: 15 dB of reduction
      {20, 1, 1.0},   // ratio 1: none
      {30, 2, 0.5},   // -6.02 dBFS over -30 at 2:1: 11.99 dB
      {10, 20, 0.1},  // -20 dBFS under the threshold: none
      {48, 20, 1.0},  // the deepest setting: 45.6 dB
  };
  auto plugin = openBypassed();
  setReal(*plugin, kAttack, 1.0);
  setReal(*plugin, kRelease, 1.0);
  for (const Case& c : cases) {
    const double ratio = setReal(*plugin, kRatio, c.ratio);
    const double threshold = -setReal(*plugin, kThresholdDepth, c.depth);
    const std::vector<double> in = squareWave(c.amplitude, 12000);
    const Signal out = render(*plugin, Precision::Double, onChannels(in));
    const double level = toDb(c.amplitude);
    const double over = std::max(0.0, level - threshold);
    const double reduction = over - over / ratio;
    std::printf("threshold %.1f dB, ratio %.2f, level %.2f dB: reduction %.4f dB\n", threshold,
                ratio, level, -gainDb(out, in, in.size() - 1));
    for (std::size_t n = in.size() - 100; n < in.size(); ++n) {
      ASSERT_NEAR(-gainDb(out, in, n), reduction, 1e-6)
          << "threshold " << threshold << " ratio " << ratio << " level " << level;
      ASSERT_EQ(out[0][n], out[1][n]);
    }
  }
}

// Frames from a step until the gain has covered all but e^-5 of its change.
std::size_t framesToCover(const Signal& out, const std::vector<double>& in, std::size_t step,
                          double fromDb, double toDbValue) {
  for (std::size_t n = step; n < in.size(); ++n) {
    const double covered = (gainDb(out, in, n) - fromDb) / (toDbValue - fromDb);
    if (covered >= kCovered) return n - step + 1;
  }
  return in.size();
}

TEST(Compressor, AttackAndReleaseTakeTheSetTimes) {
  struct Times {
    double attack, release;  // ms
  };
  for (Times t : {Times{1, 1}, Times{10, 50}, Times{30, 200}, Times{100, 500}}) {
    auto plugin = openBypassed();
    setReal(*plugin, kRatio, 4.0);
    const double ratio = realValue(*plugin, kRatio);
    const double threshold = -setReal(*plugin, kThresholdDepth, 30.0);
    const double attack = setReal(*plugin, kAttack, t.attack);
    const double release = setReal(*plugin, kRelease, t.release);
    // Quiet (under the threshold), loud, quiet again: long enough for every time to settle.
    const std::size_t quietFrames = 24000, loudFrames = 36000, tailFrames = 96000;
    const std::vector<double> in = joined(
        {squareWave(0.01, quietFrames), squareWave(0.5, loudFrames), squareWave(0.01, tailFrames)});
    const Signal out = render(*plugin, Precision::Double, onChannels(in));
    const double over = toDb(0.5) - threshold;
    const double loudGain = -(over - over / ratio);
    ASSERT_NEAR(gainDb(out, in, quietFrames + loudFrames - 1), loudGain, 1e-6);
    ASSERT_NEAR(gainDb(out, in, in.size() - 1), 0.0, 1e-6);

    const std::size_t attackFrames = framesToCover(out, in, quietFrames, 0.0, loudGain);
    const std::size_t releaseFrames =
        framesToCover(out, in, quietFrames + loudFrames, loudGain, 0.0);
    std::printf("attack %.2f ms: %zu frames (set %.1f); release %.2f ms: %zu frames (set %.1f)\n",
                attack, attackFrames, attack * kRate / 1000, release, releaseFrames,
                release * kRate / 1000);
    EXPECT_NEAR(static_cast<double>(attackFrames), attack * kRate / 1000, 1.0) << attack;
    EXPECT_NEAR(static_cast<double>(releaseFrames), release * kRate / 1000, 1.0) << release;
  }
}

TEST(Compressor, MakeupGainInDecibels) {
  auto plugin = openBypassed();
  const std::vector<double> in = squareWave(0.002, 9600);  // +48 dB still leaves it at 0.5
  for (double db : {0.0, 6.0, 12.5, 24.0, 48.0}) {
    const double makeup = setReal(*plugin, kMakeup, db);
    const Signal out = render(*plugin, Precision::Double, onChannels(in));
    EXPECT_NEAR(gainDb(out, in, in.size() - 1), makeup, 1e-9) << db;
    EXPECT_NEAR(makeup, db, 1e-5);
  }
}

// Every reset (switching the effect off and on, a new sample rate or block size) restarts the
// make-up gain from silence: frame n gets target * (1 - (1 - c)^(n + 1)) with c = 1 - e^(-5 / (20
// ms * fs)), so 99.3 % of the target after 20 ms.
TEST(Compressor, MakeupFadesInAfterEveryReset) {
  auto plugin = openBypassed();
  const double target = std::pow(10.0, setReal(*plugin, kMakeup, 12.0) / 20.0);
  const std::vector<double> in = squareWave(0.01, 9600);
  render(*plugin, Precision::Double, onChannels(in));  // settled at the target

  struct ResetKind {
    const char* name;
    double rate;  // after the reset
    void (*apply)(host::PluginInstance&);
  };
  const ResetKind resets[] = {
      {"switched off and on", 48000.0,
       [](host::PluginInstance& p) {
         p.suspend();
         p.resume();
       }},
      {"new rate 44100 Hz", 44100.0, [](host::PluginInstance& p) { p.setSampleRate(44100.0); }},
      {"new block size", 44100.0, [](host::PluginInstance& p) { p.setBlockSize(1024); }},
      {"new rate 96000 Hz", 96000.0, [](host::PluginInstance& p) { p.setSampleRate(96000.0); }},
  };
  for (const ResetKind& reset : resets) {
    SCOPED_TRACE(reset.name);
    reset.apply(*plugin);
    const Signal out = render(*plugin, Precision::Double, onChannels(in));
    const double c = 1.0 - std::exp(-5.0 / (20.0 * 0.001 * reset.rate));
    for (std::size_t n = 0; n < in.size(); ++n) {
      const double expected = target * (1.0 - std::pow(1.0 - c, static_cast<double>(n + 1)));
      ASSERT_NEAR(out[0][n] / in[n], expected, 1e-9 * target) << "frame " << n;
    }
    EXPECT_NEAR(out[0][0] / in[0], c * target, 1e-12);
    const auto at20ms = static_cast<std::size_t>(0.020 * reset.rate) - 1;
    EXPECT_NEAR(out[0][at20ms] / in[at20ms] / target, kCovered, 1e-9);
    std::printf("%s: first frame %.5f of the make-up gain, %.4f after 20 ms\n", reset.name,
                out[0][0] / in[0] / target, out[0][at20ms] / in[at20ms] / target);
  }
}

// With one input and one output the second input reads silence, but detection still averages
// both channels: the same signal is detected 6.02 dB lower than on both stereo channels, which
// shows in the gain reduction of a steady signal.
TEST(Compressor, MonoLayoutDetectsHalfTheLevel) {
  auto detectedLevel = [](int channels) {
    auto plugin = e2e::openTundrax();
    if (channels == 1) {
      EXPECT_TRUE(plugin->setSpeakerArrangement(1, 1));
    }
    for (int band = 0; band < 3; ++band) plugin->setParameter(kBypassWarmth + band, 1.0f);
    const double ratio = setReal(*plugin, kRatio, 20.0);
    const double threshold = -setReal(*plugin, kThresholdDepth, 30.0);
    setReal(*plugin, kAttack, 1.0);
    plugin->resume();
    const std::vector<double> in = squareWave(0.5, 12000);
    const Signal out = render(*plugin, Precision::Double, onChannels(in, channels));
    const double reduction = -gainDb(out, in, in.size() - 1);
    // Invert the hard knee: reduction = (level - threshold) * (1 - 1/ratio).
    return threshold + reduction / (1.0 - 1.0 / ratio);
  };
  const double stereo = detectedLevel(2);
  const double mono = detectedLevel(1);
  std::printf("detected: stereo %.4f dB, mono %.4f dB\n", stereo, mono);
  EXPECT_NEAR(stereo, toDb(0.5), 1e-6);
  EXPECT_NEAR(stereo - mono, 20.0 * std::log10(2.0), 1e-6);
}

}  // namespace
