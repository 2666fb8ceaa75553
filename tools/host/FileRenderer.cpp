#include "tools/host/FileRenderer.h"

#include <vector>

namespace host {

int64_t renderFile(AudioReader& in, AudioWriter* out, BlockProcessor& processor,
                   std::span<BlockListener* const> listeners) {
  const int channels = processor.channels();
  const int32_t blockSize = processor.maxFrames();
  std::vector<double> interleaved(static_cast<std::size_t>(blockSize) * channels);
  int64_t position = 0;
  for (int64_t index = 0;; ++index) {
    auto frames = static_cast<int32_t>(in.read(interleaved.data(), blockSize));
    if (frames <= 0) break;
    // Deinterleave, process, interleave back.
    for (int c = 0; c < channels; ++c) {
      auto input = processor.input(c);
      for (int32_t i = 0; i < frames; ++i) input[i] = interleaved[i * channels + c];
    }
    processor.process(frames);
    for (int c = 0; c < channels; ++c) {
      auto output = processor.output(c);
      for (int32_t i = 0; i < frames; ++i) interleaved[i * channels + c] = output[i];
    }
    if (out) out->write(interleaved.data(), frames);
    RenderedBlock block{index, position, frames, channels, processor.inputs(), processor.outputs()};
    for (BlockListener* listener : listeners) listener->onBlock(block);
    position += frames;
    processor.plugin().host().advance(frames);
  }
  for (BlockListener* listener : listeners) listener->onFinish();
  return position;
}

}  // namespace host
