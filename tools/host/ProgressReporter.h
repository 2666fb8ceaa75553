// Shows how far a long render has got, on stderr, in steps of 10 %. Files shorter than
// `quietBelowFrames` render silently.
#pragma once

#include <cstdint>
#include <cstdio>

#include "tools/host/FileRenderer.h"

namespace host {

class ProgressReporter : public BlockListener {
 public:
  ProgressReporter(int64_t totalFrames, int64_t quietBelowFrames, std::FILE* out = stderr);
  void onBlock(const RenderedBlock& block) override;
  void onFinish() override;

 private:
  int64_t mTotal;
  bool mActive;
  std::FILE* mOut;
  int mShownPercent = 0;
};

}  // namespace host
