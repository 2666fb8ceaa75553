#include "tools/host/BlockProcessor.h"

#include <algorithm>

#include "tools/host/HostError.h"

namespace host {

namespace {

template <typename Sample>
std::vector<Sample*> pointersTo(std::vector<std::vector<Sample>>& channels) {
  std::vector<Sample*> pointers;
  for (auto& channel : channels) pointers.push_back(channel.data());
  return pointers;
}

}  // namespace

BlockProcessor::BlockProcessor(PluginInstance& plugin, int channels, int32_t maxFrames,
                               Precision precision)
    : mPlugin(plugin), mChannels(channels), mMaxFrames(maxFrames), mPrecision(precision) {
  const vst2::AEffect& effect = plugin.effect();
  if (channels < 1 || channels > effect.numInputs || channels > effect.numOutputs) {
    throw HostError("the plug-in has " + std::to_string(effect.numInputs) + " inputs and " +
                    std::to_string(effect.numOutputs) + " outputs; cannot process " +
                    std::to_string(channels) + " channels");
  }
  if (maxFrames < 1) throw HostError("the block size must be at least 1 frame");
  if (precision == Precision::Double && !plugin.canProcessDouble()) {
    throw HostError("the plug-in does not process double precision");
  }
  auto size = static_cast<std::size_t>(maxFrames);
  mInput.assign(static_cast<std::size_t>(effect.numInputs), std::vector<double>(size));
  mOutput.assign(static_cast<std::size_t>(effect.numOutputs), std::vector<double>(size));
  mInputPtrs = pointersTo(mInput);
  mOutputPtrs = pointersTo(mOutput);
  if (precision == Precision::Single) {
    mInputFloat.assign(mInput.size(), std::vector<float>(size));
    mOutputFloat.assign(mOutput.size(), std::vector<float>(size));
    mInputFloatPtrs = pointersTo(mInputFloat);
    mOutputFloatPtrs = pointersTo(mOutputFloat);
  }
}

void BlockProcessor::process(int32_t frames) {
  if (frames < 0 || frames > mMaxFrames) throw HostError("block longer than the block size");
  if (mPrecision == Precision::Double) {
    mPlugin.processDoubleReplacing(mInputPtrs.data(), mOutputPtrs.data(), frames);
    return;
  }
  for (int c = 0; c < mChannels; ++c) {
    std::copy_n(mInput[c].begin(), frames, mInputFloat[c].begin());
  }
  mPlugin.processReplacing(mInputFloatPtrs.data(), mOutputFloatPtrs.data(), frames);
  for (int c = 0; c < mChannels; ++c) {
    std::copy_n(mOutputFloat[c].begin(), frames, mOutput[c].begin());
  }
}

}  // namespace host
