// Peak and RMS level of every channel of a rendered file, input and output, in dBFS
// (full scale = 1.0). Silence reads as minus infinity.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/FileRenderer.h"

namespace host {

struct ChannelLevel {
  double peak = 0.0;        // largest magnitude
  double sumSquares = 0.0;  // over every frame
  int64_t frames = 0;

  void add(const double* samples, int32_t count);
  double peakDb() const;
  double rmsDb() const;
};

class LevelMeter : public BlockListener {
 public:
  explicit LevelMeter(int channels) : mInput(channels), mOutput(channels) {}
  void onBlock(const RenderedBlock& block) override;

  const std::vector<ChannelLevel>& input() const { return mInput; }
  const std::vector<ChannelLevel>& output() const { return mOutput; }

 private:
  std::vector<ChannelLevel> mInput, mOutput;
};

// "-6.02" style text of a level in dB, "-inf" for silence.
std::string formatDb(double dB);

}  // namespace host
