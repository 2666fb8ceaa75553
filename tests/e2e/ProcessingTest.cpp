// Audio through the three process callbacks: the accumulating call adds, block splitting changes
// nothing, and a disconnected input is silent.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "tests/e2e/TundraxPlugin.h"
#include "tools/host/BlockProcessor.h"
#include "tools/kickgen/KickSynth.h"

namespace {

using host::BlockProcessor;
using host::PluginInstance;
using host::Precision;

constexpr int32_t kBlock = 512;

// A kick on the left, a quieter, shifted copy on the right; `blocks` blocks long.
std::vector<std::vector<double>> testSignal(int blocks) {
  std::vector<double> kick = kickgen::synthesizeKicks(48000, blocks * kBlock / 48000.0 + 0.1);
  std::vector<std::vector<double>> signal(2, std::vector<double>(blocks * kBlock));
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

// Runs the signal through in pieces of `piece` frames; returns the planar output.
std::vector<std::vector<double>> render(PluginInstance& plugin, Precision precision,
                                        const std::vector<std::vector<double>>& in,
                                        int32_t piece = kBlock, int channels = 2) {
  BlockProcessor processor(plugin, channels, kBlock, precision);
  std::vector<std::vector<double>> out(channels, std::vector<double>(in[0].size()));
  for (std::size_t at = 0; at < in[0].size(); at += piece) {
    auto frames = static_cast<int32_t>(std::min<std::size_t>(piece, in[0].size() - at));
    for (int c = 0; c < channels; ++c) {
      std::copy_n(in[c].begin() + at, frames, processor.input(c).begin());
    }
    processor.process(frames);
    for (int c = 0; c < channels; ++c) {
      std::copy_n(processor.output(c).begin(), frames, out[c].begin() + at);
    }
  }
  return out;
}

TEST(Processing, BlockSplittingChangesNothing) {
  auto in = testSignal(8);
  auto whole = playingInstance(Precision::Double);
  auto expected = render(*whole, Precision::Double, in);
  for (int32_t piece : {1, 17, 31, 64, 500}) {
    auto split = playingInstance(Precision::Double);
    EXPECT_EQ(render(*split, Precision::Double, in, piece), expected) << "pieces of " << piece;
  }
  // Empty blocks do nothing.
  auto plugin = playingInstance(Precision::Double);
  BlockProcessor processor(*plugin, 2, kBlock, Precision::Double);
  processor.process(0);
  EXPECT_EQ(render(*plugin, Precision::Double, in), expected);
}

// Hosts often process in place: the output pointers are the input pointers.
TEST(Processing, InPlaceGivesWhatSeparateBuffersGive) {
  auto in = testSignal(4);
  for (Precision precision : {Precision::Double, Precision::Single}) {
    auto separate = playingInstance(precision);
    auto expected = render(*separate, precision, in);
    auto plugin = playingInstance(precision);
    std::vector<double> left(kBlock), right(kBlock);
    std::vector<float> leftF(kBlock), rightF(kBlock);
    double* buffers[] = {left.data(), right.data()};
    float* buffersF[] = {leftF.data(), rightF.data()};
    for (std::size_t at = 0; at < in[0].size(); at += kBlock) {
      for (int32_t i = 0; i < kBlock; ++i) {
        left[i] = in[0][at + i];
        right[i] = in[1][at + i];
        leftF[i] = static_cast<float>(left[i]);
        rightF[i] = static_cast<float>(right[i]);
      }
      if (precision == Precision::Double) {
        plugin->processDoubleReplacing(buffers, buffers, kBlock);
      } else {
        plugin->processReplacing(buffersF, buffersF, kBlock);
      }
      for (int32_t i = 0; i < kBlock; ++i) {
        const double gotL = precision == Precision::Double ? left[i] : leftF[i];
        const double gotR = precision == Precision::Double ? right[i] : rightF[i];
        ASSERT_EQ(gotL, expected[0][at + i]) << at + i;
        ASSERT_EQ(gotR, expected[1][at + i]) << at + i;
      }
    }
  }
}

TEST(Processing, AccumulatingAddsToTheOutput) {
  auto in = testSignal(4);
  auto replacing = playingInstance(Precision::Single);
  auto expected = render(*replacing, Precision::Single, in);
  auto accumulating = playingInstance(Precision::Single);
  std::vector<float> inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock);
  float* inputs[] = {inL.data(), inR.data()};
  float* outputs[] = {outL.data(), outR.data()};
  for (std::size_t at = 0; at < in[0].size(); at += kBlock) {
    for (int32_t i = 0; i < kBlock; ++i) {
      inL[i] = static_cast<float>(in[0][at + i]);
      inR[i] = static_cast<float>(in[1][at + i]);
      outL[i] = 0.25f;  // what the host had in its buffers
      outR[i] = -0.5f;
    }
    accumulating->processAccumulating(inputs, outputs, kBlock);
    for (int32_t i = 0; i < kBlock; ++i) {
      ASSERT_FLOAT_EQ(outL[i], static_cast<float>(expected[0][at + i]) + 0.25f) << at + i;
      ASSERT_FLOAT_EQ(outR[i], static_cast<float>(expected[1][at + i]) - 0.5f) << at + i;
    }
  }
}

TEST(Processing, ADisconnectedInputReadsSilence) {
  auto in = testSignal(8);
  // The same left channel, nothing on the right.
  auto reference = playingInstance(Precision::Single);
  std::vector<std::vector<double>> leftOnly = {in[0], std::vector<double>(in[0].size(), 0.0)};
  auto expected = render(*reference, Precision::Single, leftOnly);

  // One input connected; the host's second input buffer is full of sound the plug-in must not
  // hear.
  auto mono = e2e::openTundrax();
  ASSERT_TRUE(mono->setSpeakerArrangement(1, 2));
  mono->setProgram(4);
  mono->setParameter(13, 0.4f);
  mono->setParameter(16, 0.1f);
  mono->resume();
  mono->startProcess();
  std::vector<float> inL(kBlock), loud(kBlock, 0.9f), outL(kBlock), outR(kBlock);
  float* inputs[] = {inL.data(), loud.data()};
  float* outputs[] = {outL.data(), outR.data()};
  for (std::size_t at = 0; at < in[0].size(); at += kBlock) {
    for (int32_t i = 0; i < kBlock; ++i) inL[i] = static_cast<float>(in[0][at + i]);
    mono->processReplacing(inputs, outputs, kBlock);
    for (int32_t i = 0; i < kBlock; ++i) {
      ASSERT_EQ(outL[i], static_cast<float>(expected[0][at + i])) << at + i;
      ASSERT_EQ(outR[i], static_cast<float>(expected[1][at + i])) << at + i;
    }
  }
}

// Hosts get the block size wrong: more frames than announced, none, or a negative count.
TEST(Processing, BlockCountsOutsideTheAnnouncedSize) {
  auto in = testSignal(8);
  auto reference = playingInstance(Precision::Double);
  auto expected = render(*reference, Precision::Double, in);

  auto plugin = playingInstance(Precision::Double);
  plugin->suspend();
  plugin->setBlockSize(64);  // announced 64, then handed 4096 at once
  plugin->resume();
  const auto frames = static_cast<int32_t>(in[0].size());
  std::vector<std::vector<double>> inCopy = in, out(2, std::vector<double>(frames, 7.0));
  double* inputs[] = {inCopy[0].data(), inCopy[1].data()};
  double* outputs[] = {out[0].data(), out[1].data()};
  plugin->processDoubleReplacing(inputs, outputs, frames);
  EXPECT_EQ(out, expected);

  // Zero and negative counts touch nothing.
  std::vector<std::vector<double>> untouched(2, std::vector<double>(frames, 7.0));
  out = untouched;
  outputs[0] = out[0].data();
  outputs[1] = out[1].data();
  for (int32_t count : {0, -1, -4096, INT32_MIN}) {
    plugin->processDoubleReplacing(inputs, outputs, count);
  }
  EXPECT_EQ(out, untouched);
  std::vector<float> f(frames, 7.0f);
  float* fin[] = {f.data(), f.data()};
  std::vector<float> g(frames, 7.0f), h(frames, 7.0f);
  float* fout[] = {g.data(), h.data()};
  plugin->processReplacing(fin, fout, -1);
  plugin->processAccumulating(fin, fout, -1);
  EXPECT_EQ(g, std::vector<float>(frames, 7.0f));
}

// In the mono layout the second output is not the plug-in's to write.
TEST(Processing, MonoLayoutLeavesTheSecondOutputAlone) {
  auto plugin = e2e::openTundrax();
  ASSERT_TRUE(plugin->setSpeakerArrangement(1, 1));
  plugin->resume();
  auto in = testSignal(8);
  std::vector<float> inL(kBlock), outL(kBlock), outR(kBlock, 0.125f);
  float* inputs[] = {inL.data(), nullptr};
  float* outputs[] = {outL.data(), outR.data()};
  const std::size_t firstHit = 2400;
  for (int32_t i = 0; i < kBlock; ++i) inL[i] = static_cast<float>(in[0][firstHit + i]);
  plugin->processReplacing(inputs, outputs, kBlock);
  EXPECT_EQ(outR, std::vector<float>(kBlock, 0.125f));
  double energy = 0.0;
  for (float y : outL) energy += static_cast<double>(y) * y;
  EXPECT_GT(energy, 0.0);
}

}  // namespace
