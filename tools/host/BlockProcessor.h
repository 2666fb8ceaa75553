// The buffers a host keeps to call a plug-in's process callbacks: planar input and output
// channels of up to `maxFrames` samples, in double precision for the caller, narrowed to float
// around the call when the plug-in runs in single precision.
//
// The pointer arrays always hold as many channels as the plug-in declares. Channels beyond the
// `channels` the caller uses (a mono file through a stereo plug-in whose second input is
// disconnected) point at silent input and scratch output buffers, so a plug-in that reads or
// writes every declared channel still touches only memory of ours.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/host/PluginInstance.h"

namespace host {

class BlockProcessor {
 public:
  BlockProcessor(PluginInstance& plugin, int channels, int32_t maxFrames, Precision precision);

  PluginInstance& plugin() { return mPlugin; }
  int channels() const { return mChannels; }
  int32_t maxFrames() const { return mMaxFrames; }

  // Where the caller puts the next block's input, channel by channel (maxFrames long).
  std::span<double> input(int channel) { return mInput[channel]; }
  std::span<const double> output(int channel) const { return mOutput[channel]; }
  const double* const* inputs() const { return mInputPtrs.data(); }
  const double* const* outputs() const { return mOutputPtrs.data(); }

  // Processes the first `frames` (at most maxFrames) samples of every input channel into the
  // outputs with processReplacing or processDoubleReplacing.
  void process(int32_t frames);

 private:
  PluginInstance& mPlugin;
  int mChannels;
  int32_t mMaxFrames;
  Precision mPrecision;
  // Every declared channel, the caller's first.
  std::vector<std::vector<double>> mInput, mOutput;
  std::vector<std::vector<float>> mInputFloat, mOutputFloat;
  std::vector<double*> mInputPtrs, mOutputPtrs;
  std::vector<float*> mInputFloatPtrs, mOutputFloatPtrs;
};

}  // namespace host
