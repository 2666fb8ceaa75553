// Runs a whole audio file through a plug-in block by block, as a DAW renders a track: read a
// block, process it, write it, move the transport on. The last block is as short as the file
// leaves it. After each block every BlockListener sees the block's input and output, so a
// report (levels, progress, whatever a caller wants to watch per block) is one more listener.
#pragma once

#include <cstdint>
#include <span>

#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"

namespace host {

// One processed block, planar, as the listeners see it.
struct RenderedBlock {
  int64_t index;       // block number from 0
  int64_t startFrame;  // position of the block's first frame in the file
  int32_t frames;
  int channels;
  const double* const* input;
  const double* const* output;
};

class BlockListener {
 public:
  virtual ~BlockListener() = default;
  virtual void onBlock(const RenderedBlock& block) = 0;
  virtual void onFinish() {}
};

// Returns the number of frames rendered. The plug-in must be resumed and started; its host
// context's transport advances by every block. A null `out` discards the output.
int64_t renderFile(AudioReader& in, AudioWriter* out, BlockProcessor& processor,
                   std::span<BlockListener* const> listeners);

}  // namespace host
