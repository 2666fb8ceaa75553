// Audio through the three process callbacks: block splitting changes nothing, in-place buffers
// give what separate ones give, the accumulating call adds, a disconnected input is silent, and
// empty, negative or mono calls touch nothing that is not the plug-in's.
#include <gtest/gtest.h>

#include <climits>

#include "tests/e2e/TundraxPlugin.h"
#include "tools/kickgen/KickSynth.h"

namespace {

using e2e::render;
using e2e::Signal;
using host::PluginInstance;
using host::Precision;

constexpr int32_t kBlock = 512;

// A kick on the left, a quieter, shifted copy on the right; `blocks` blocks long.
Signal testSignal(int blocks) {
  std::vector<double> kick = kickgen::synthesizeKicks(48000, blocks * kBlock / 48000.0 + 0.1);
  Signal signal(2, std::vector<double>(blocks * kBlock));
  for (std::size_t i = 0; i < signal[0].size(); ++i) {
    signal[0][i] = kick[i];
    signal[1][i] = 0.5 * kick[(i + 300) % kick.size()];
  }
  return signal;
}

// A resumed instance on the "808 Kick" program with some compression.
std::unique_ptr<PluginInstance> playingInstance(Precision precision) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(4);
  plugin->setParameter(13, 0.4f);
  plugin->setParameter(16, 0.1f);
  plugin->setProcessPrecision(precision);
  plugin->resume();
  plugin->startProcess();
  return plugin;
}

TEST(Processing, BlockSplittingChangesNothing) {
  auto in = testSignal(8);
  auto whole = playingInstance(Precision::Double);
  auto expected = render(*whole, Precision::Double, in);
  for (int32_t piece : {1, 17, 31, 64, 500}) {
    auto split = playingInstance(Precision::Double);
    EXPECT_EQ(render(*split, Precision::Double, in, piece), expected) << "pieces of " << piece;
  }
}

// Hosts often process in place (the output pointers are the input pointers), and the
// accumulating call adds to what the host had in its output buffers.
TEST(Processing, InPlaceAndAccumulatingCalls) {
  auto in = testSignal(4);
  for (Precision precision : {Precision::Double, Precision::Single}) {
    auto separate = playingInstance(precision);
    auto expected = render(*separate, precision, in);
    auto inPlace = playingInstance(precision);
    auto accumulating = playingInstance(precision);
    std::vector<double> left(kBlock), right(kBlock);
    std::vector<float> leftF(kBlock), rightF(kBlock), inL(kBlock), inR(kBlock), sumL(kBlock),
        sumR(kBlock);
    double* buffers[] = {left.data(), right.data()};
    float* buffersF[] = {leftF.data(), rightF.data()};
    float* inputs[] = {inL.data(), inR.data()};
    float* sums[] = {sumL.data(), sumR.data()};
    for (std::size_t at = 0; at < in[0].size(); at += kBlock) {
      for (int32_t i = 0; i < kBlock; ++i) {
        left[i] = in[0][at + i];
        right[i] = in[1][at + i];
        inL[i] = leftF[i] = static_cast<float>(left[i]);
        inR[i] = rightF[i] = static_cast<float>(right[i]);
        sumL[i] = 0.25f;
        sumR[i] = -0.5f;
      }
      if (precision == Precision::Double) {
        inPlace->processDoubleReplacing(buffers, buffers, kBlock);
      } else {
        inPlace->processReplacing(buffersF, buffersF, kBlock);
        accumulating->processAccumulating(inputs, sums, kBlock);
      }
      for (int32_t i = 0; i < kBlock; ++i) {
        const bool isDouble = precision == Precision::Double;
        ASSERT_EQ(isDouble ? left[i] : leftF[i], expected[0][at + i]) << at + i;
        ASSERT_EQ(isDouble ? right[i] : rightF[i], expected[1][at + i]) << at + i;
        if (isDouble) continue;
        ASSERT_FLOAT_EQ(sumL[i], static_cast<float>(expected[0][at + i]) + 0.25f) << at + i;
        ASSERT_FLOAT_EQ(sumR[i], static_cast<float>(expected[1][at + i]) - 0.5f) << at + i;
      }
    }
  }
}

// Both instances first carry audio on both inputs; then the host connects one input of the
// tested instance, and later changes the block size. The host's second input buffer is full of
// sound the plug-in must not hear: it hears what the reference hears from silence.
TEST(Processing, ADisconnectedInputReadsSilence) {
  const Signal in = testSignal(8);
  auto reference = playingInstance(Precision::Single);
  auto mono = playingInstance(Precision::Single);
  for (PluginInstance* plugin : {reference.get(), mono.get()}) {
    render(*plugin, Precision::Single, in);  // the kick reaches the last block
    plugin->suspend();
  }
  ASSERT_TRUE(mono->setSpeakerArrangement(1, 2));
  std::vector<float> inL(kBlock), loud(kBlock, 0.9f), outL(kBlock), outR(kBlock);
  float* inputs[] = {inL.data(), loud.data()};
  float* outputs[] = {outL.data(), outR.data()};
  const std::size_t half = in[0].size() / 2;
  for (std::size_t from : {std::size_t{0}, half}) {
    for (PluginInstance* plugin : {reference.get(), mono.get()}) {
      if (from > 0) {
        plugin->suspend();
        plugin->setBlockSize(1024);  // the scratch buffers move
      }
      plugin->resume();
    }
    const Signal expected =
        render(*reference, Precision::Single,
               {std::vector<double>(in[0].begin() + from, in[0].begin() + from + half),
                std::vector<double>(half, 0.0)});
    for (std::size_t at = 0; at < half; at += kBlock) {
      for (int32_t i = 0; i < kBlock; ++i) inL[i] = static_cast<float>(in[0][from + at + i]);
      mono->processReplacing(inputs, outputs, kBlock);
      for (int32_t i = 0; i < kBlock; ++i) {
        ASSERT_EQ(outL[i], static_cast<float>(expected[0][at + i])) << from + at + i;
        ASSERT_EQ(outR[i], static_cast<float>(expected[1][at + i])) << from + at + i;
      }
    }
  }
}

// Zero and negative frame counts touch nothing and change nothing; in the mono layout the second
// output is not the plug-in's to write. (Calls longer than the announced size are heard in
// tests/sound.)
TEST(Processing, EmptyNegativeAndMonoCallsWriteOnlyTheirOwn) {
  auto plugin = playingInstance(Precision::Double);
  std::vector<double> d(kBlock, 7.0), e(kBlock, 7.0);
  double* din[] = {d.data(), d.data()};
  double* dout[] = {d.data(), e.data()};
  std::vector<float> f(kBlock, 7.0f), g(kBlock, 7.0f);
  float* fin[] = {f.data(), f.data()};
  float* fout[] = {f.data(), g.data()};
  for (int32_t count : {0, -1, -4096, INT32_MIN}) {
    plugin->processDoubleReplacing(din, dout, count);
    plugin->processReplacing(fin, fout, count);
    plugin->processAccumulating(fin, fout, count);
  }
  EXPECT_EQ(d, std::vector<double>(kBlock, 7.0));
  EXPECT_EQ(e, std::vector<double>(kBlock, 7.0));
  EXPECT_EQ(f, std::vector<float>(kBlock, 7.0f));
  EXPECT_EQ(g, std::vector<float>(kBlock, 7.0f));
  // Nor do they change the sound that follows.
  auto in = testSignal(8);
  auto fresh = playingInstance(Precision::Double);
  EXPECT_EQ(render(*plugin, Precision::Double, in), render(*fresh, Precision::Double, in));

  auto mono = e2e::openTundrax();
  ASSERT_TRUE(mono->setSpeakerArrangement(1, 1));
  mono->resume();
  std::vector<float> inL(kBlock), outL(kBlock), outR(kBlock, 0.125f);
  float* inputs[] = {inL.data(), nullptr};
  float* outputs[] = {outL.data(), outR.data()};
  const std::size_t firstHit = 2400;
  for (int32_t i = 0; i < kBlock; ++i) inL[i] = static_cast<float>(in[0][firstHit + i]);
  mono->processReplacing(inputs, outputs, kBlock);
  EXPECT_EQ(outR, std::vector<float>(kBlock, 0.125f));
  double energy = 0.0;
  for (float y : outL) energy += static_cast<double>(y) * y;
  EXPECT_GT(energy, 0.0);
}

}  // namespace
