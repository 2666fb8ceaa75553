#include "tools/host/RenderComparison.h"

#include <cmath>

namespace host {

void RenderRecorder::onBlock(const RenderedBlock& block) {
  for (int c = 0; c < block.channels; ++c) {
    mOutput[c].insert(mOutput[c].end(), block.output[c], block.output[c] + block.frames);
  }
}

void GainDifference::onBlock(const RenderedBlock& block) {
  for (int c = 0; c < block.channels; ++c) {
    const std::vector<double>& first = mFirst.output()[c];
    for (int32_t i = 0; i < block.frames; ++i) {
      const int64_t frame = block.startFrame + i;
      if (frame >= static_cast<int64_t>(first.size())) break;
      const double a = std::fabs(first[frame]);
      const double b = std::fabs(block.output[c][i]);
      if (a < kFloor || b < kFloor) continue;
      const double dB = 20.0 * std::log10(b / a);
      if (dB > mLargestDb) {
        mLargestDb = dB;
        mFrameOfLargest = frame;
      }
    }
  }
}

}  // namespace host
