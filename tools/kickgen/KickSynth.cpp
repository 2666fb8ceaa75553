#include "tools/kickgen/KickSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kickgen {

namespace {

constexpr double kStartHz = 150.0;
constexpr double kEndHz = 45.0;
constexpr double kPitchTime = 0.035;   // seconds for the pitch drop to fall by 1/e
constexpr double kAmpTime = 0.18;      // seconds for the body to fall by 1/e
constexpr double kClickTime = 0.0015;  // seconds for the click to fall by 1/e
constexpr double kClickLevel = 0.5;    // click relative to the body's start
constexpr double kHitLength = 0.45;    // seconds; ends before the next hit
constexpr double kFadeOut = 0.005;     // seconds of linear fade at the end of a hit
constexpr double kStrengths[] = {1.0, 0.6, 0.85, 0.45};
constexpr double kFirstHit = 0.05;  // seconds of silence before the first hit

// A fixed-seed xorshift generator: the click noise is the same in every run.
class Noise {
 public:
  double next() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return static_cast<double>(mState) / 2147483648.0 - 1.0;
  }

 private:
  uint32_t mState = 0x2545F491u;
};

void addHit(std::vector<double>& out, std::size_t start, int sampleRate, double strength) {
  Noise noise;
  double phase = 0.0;
  const auto length = static_cast<std::size_t>(kHitLength * sampleRate);
  for (std::size_t i = 0; i < length && start + i < out.size(); ++i) {
    double t = static_cast<double>(i) / sampleRate;
    double frequency = kEndHz + (kStartHz - kEndHz) * std::exp(-t / kPitchTime);
    double body = std::sin(phase) * std::exp(-t / kAmpTime);
    double click = kClickLevel * noise.next() * std::exp(-t / kClickTime);
    double fade = std::min(1.0, (kHitLength - t) / kFadeOut);
    out[start + i] += strength * (body + click) * fade;
    phase += 2.0 * std::numbers::pi * frequency / sampleRate;
  }
}

}  // namespace

std::vector<double> synthesizeKicks(int sampleRate, double seconds) {
  std::vector<double> out(static_cast<std::size_t>(std::max(0.0, seconds) * sampleRate), 0.0);
  std::size_t hit = 0;
  for (double at = kFirstHit; at < seconds; at += kHitInterval, ++hit) {
    addHit(out, static_cast<std::size_t>(at * sampleRate), sampleRate,
           kStrengths[hit % std::size(kStrengths)]);
  }
  double peak = 0.0;
  for (double sample : out) peak = std::max(peak, std::fabs(sample));
  if (peak > 0.0) {
    const double gain = std::pow(10.0, kPeakDbfs / 20.0) / peak;
    for (double& sample : out) sample *= gain;
  }
  return out;
}

}  // namespace kickgen
