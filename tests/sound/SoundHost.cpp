#include "tests/sound/SoundHost.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "tools/kickgen/KickSynth.h"

namespace sound {

double setReal(host::PluginInstance& plugin, int param, double real) {
  plugin.setParameter(param, normalisedFor(param, real));
  return realValue(plugin, param);
}

double realValue(host::PluginInstance& plugin, int param) {
  return e2e::realValues(plugin).at(static_cast<std::size_t>(param));
}

std::unique_ptr<host::PluginInstance> openBypassed(double sampleRate) {
  auto plugin = e2e::openTundrax();
  for (int band = 0; band < 3; ++band) plugin->setParameter(kBypassWarmth + band, 1.0f);
  plugin->setParameter(kRatio, 0.0f);
  plugin->setSampleRate(sampleRate);
  plugin->resume();
  return plugin;
}

Signal onChannels(const std::vector<double>& samples, int channels) {
  return Signal(static_cast<std::size_t>(channels), samples);
}

double toneAmplitude(const std::vector<double>& x, std::size_t start, std::size_t count,
                     double frequency, double sampleRate) {
  const double w = 2.0 * std::numbers::pi * frequency / sampleRate;
  std::complex<double> sum = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    sum += x[start + n] * std::polar(1.0, -w * static_cast<double>(n));
  }
  return 2.0 * std::abs(sum) / static_cast<double>(count);
}

std::vector<double> squareWave(double amplitude, std::size_t frames, std::size_t halfPeriod) {
  std::vector<double> x(frames);
  for (std::size_t n = 0; n < frames; ++n) x[n] = (n / halfPeriod) % 2 ? -amplitude : amplitude;
  return x;
}

std::vector<double> loudKickAndNoise(int sampleRate, std::size_t frames, double peakDbfs,
                                     uint32_t seed) {
  const double scale = std::pow(10.0, (peakDbfs - kickgen::kPeakDbfs) / 20.0);
  const std::size_t kickFrames = frames / 2;
  std::vector<double> x =
      kickgen::synthesizeKicks(sampleRate, static_cast<double>(kickFrames) / sampleRate + 0.01);
  x.resize(frames);
  for (std::size_t n = 0; n < kickFrames; ++n) x[n] *= scale;
  std::mt19937 random(seed);
  const double peak = std::pow(10.0, peakDbfs / 20.0);
  std::uniform_real_distribution<double> noise(-peak, peak);
  for (std::size_t n = kickFrames; n < frames; ++n) x[n] = noise(random);
  return x;
}

Signal loudStereo(int sampleRate, std::size_t frames, double peakDbfs, uint32_t seed,
                  double rightGain) {
  const std::vector<double> mono = loudKickAndNoise(sampleRate, frames, peakDbfs, seed);
  Signal in = {mono, std::vector<double>(mono.rbegin(), mono.rend())};
  for (double& x : in[1]) x *= rightGain;
  return in;
}

double toDb(double ratio) { return 20.0 * std::log10(ratio); }

}  // namespace sound
