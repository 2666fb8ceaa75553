// Two renders of one file compared sample by sample, the way an engineer nulls two bounces in
// a DAW to hear what one setting does: the first render's output is kept, and the second's is
// measured against it as it is produced. Rendering the same program once as chosen and once
// with the compressor's ratio at 1:1 shows the largest gain reduction the compressor applied.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/host/FileRenderer.h"

namespace host {

// Keeps every output sample of a render, channel by channel.
class RenderRecorder : public BlockListener {
 public:
  explicit RenderRecorder(int channels) : mOutput(channels) {}
  void onBlock(const RenderedBlock& block) override;
  const std::vector<std::vector<double>>& output() const { return mOutput; }

 private:
  std::vector<std::vector<double>> mOutput;
};

// The largest amount by which the recorded render is quieter than this one, in dB, over the
// samples where both are above the floor (near silence the ratio says nothing).
class GainDifference : public BlockListener {
 public:
  static constexpr double kFloor = 1e-4;  // -80 dBFS

  explicit GainDifference(const RenderRecorder& first) : mFirst(first) {}
  void onBlock(const RenderedBlock& block) override;

  double largestDb() const { return mLargestDb; }  // 0 when the first is never quieter
  int64_t frameOfLargest() const { return mFrameOfLargest; }

 private:
  const RenderRecorder& mFirst;
  double mLargestDb = 0.0;
  int64_t mFrameOfLargest = 0;
};

}  // namespace host
