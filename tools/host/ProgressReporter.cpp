#include "tools/host/ProgressReporter.h"

namespace host {

ProgressReporter::ProgressReporter(int64_t totalFrames, int64_t quietBelowFrames, std::FILE* out)
    : mTotal(totalFrames), mActive(totalFrames >= quietBelowFrames && totalFrames > 0), mOut(out) {}

void ProgressReporter::onBlock(const RenderedBlock& block) {
  if (!mActive) return;
  auto percent = static_cast<int>((block.startFrame + block.frames) * 100 / mTotal);
  if (percent >= mShownPercent + 10 && percent < 100) {
    mShownPercent = percent - percent % 10;
    std::fprintf(mOut, "processing: %d%%\n", mShownPercent);
  }
}

void ProgressReporter::onFinish() {
  if (mActive) std::fprintf(mOut, "processing: done\n");
}

}  // namespace host
