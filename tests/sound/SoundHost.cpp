#include "tests/sound/SoundHost.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <random>

#include "tools/kickgen/KickSynth.h"

namespace sound {

namespace {

// The curve shapes of the double parameters; the others map linearly.
double shapeOf(int param) {
  switch (param) {
    case kRatio:
      return 2.66297;
    case kAttack:
      return 2.38143;
    case kRelease:
      return 2.33354;
    default:
      return 0.0;
  }
}

}  // namespace

float normalisedFor(int param, double real) {
  const e2e::ParamInfo& info = e2e::kParams[param];
  const double x = (real - info.min) / (info.max - info.min);
  const double s = shapeOf(param);
  return static_cast<float>(s == 0.0 ? x : std::log((std::exp(s) - 1.0) * x + 1.0) / s);
}

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

Signal render(host::PluginInstance& plugin, host::Precision precision, const Signal& in,
              int32_t piece) {
  const int channels = static_cast<int>(in.size());
  host::BlockProcessor processor(plugin, channels, piece, precision);
  Signal out(in.size(), std::vector<double>(in[0].size()));
  for (std::size_t at = 0; at < in[0].size(); at += static_cast<std::size_t>(piece)) {
    const auto frames = static_cast<int32_t>(std::min<std::size_t>(piece, in[0].size() - at));
    for (int c = 0; c < channels; ++c) {
      std::copy_n(in[c].begin() + static_cast<std::ptrdiff_t>(at), frames,
                  processor.input(c).begin());
    }
    processor.process(frames);
    for (int c = 0; c < channels; ++c) {
      std::copy_n(processor.output(c).begin(), frames,
                  out[c].begin() + static_cast<std::ptrdiff_t>(at));
    }
  }
  return out;
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

double toDb(double ratio) { return 20.0 * std::log10(ratio); }

}  // namespace sound
