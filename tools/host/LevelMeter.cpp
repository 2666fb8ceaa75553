#include "tools/host/LevelMeter.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace host {

namespace {

double toDb(double linear) {
  return linear > 0.0 ? 20.0 * std::log10(linear) : -std::numeric_limits<double>::infinity();
}

}  // namespace

void ChannelLevel::add(const double* samples, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    double magnitude = std::fabs(samples[i]);
    if (magnitude > peak || std::isnan(magnitude)) peak = magnitude;
    sumSquares += samples[i] * samples[i];
  }
  frames += count;
}

double ChannelLevel::peakDb() const { return toDb(peak); }

double ChannelLevel::rmsDb() const {
  return frames > 0 ? toDb(std::sqrt(sumSquares / static_cast<double>(frames))) : toDb(0.0);
}

void LevelMeter::onBlock(const RenderedBlock& block) {
  for (int c = 0; c < block.channels; ++c) {
    mInput[c].add(block.input[c], block.frames);
    mOutput[c].add(block.output[c], block.frames);
  }
}

std::string formatDb(double dB) {
  if (std::isnan(dB)) return "nan";
  if (std::isinf(dB)) return dB < 0 ? "-inf" : "+inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", dB);
  return text;
}

}  // namespace host
