#include "tests/e2e/TundraxPlugin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/host/BlockProcessor.h"

namespace e2e {

const std::array<ParamInfo, kNumParams> kParams = {{
    {"Bypass warmth", "", 0, 1, false, 0},
    {"Bypass boxiness", "", 0, 1, false, 0},
    {"Bypass click", "", 0, 1, false, 0},
    {"Warmth frequency", "", 0, 2, false, 0},
    {"Warmth gain", "", 0, 2, false, 0},
    {"Warmth quality", "", 0, 2, false, 0},
    {"Boxiness frequency", "", 0, 2, false, 0},
    {"Boxiness gain", "", 0, 2, false, 0},
    {"Boxiness quality", "", 0, 2, false, 0},
    {"Click frequency", "", 0, 2, false, 0},
    {"Click gain", "", 0, 2, false, 0},
    {"Click quality", "", 0, 2, false, 0},
    {"Ratio", "", 1, 20, true, 2.66297},
    {"Threshold", "dB", 0, 48, true, 0},
    {"Attack", "ms", 1, 100, true, 2.38143},
    {"Release", "ms", 1, 500, true, 2.33354},
    {"", "dB", 0, 48, true, 0},
}};

const std::array<const char*, kNumPrograms> kProgramNames = {
    "Default",      "Acoustic Kick 1", "Acoustic Kick 2", "Acoustic Kick 3",
    "808 Kick",     "HipHop Kick 1",   "HipHop Kick 2",   "Dub Kick",
    "Electro Kick", "Trance Kick 1",   "Trance Kick 2"};

const std::array<std::array<int, 9>, kNumPrograms> kPresetSteps = {{
    {0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 1, 0, 0, 2, 1, 0, 0, 0},
    {0, 1, 0, 0, 2, 2, 2, 0, 1},
    {1, 1, 1, 0, 2, 0, 0, 1, 2},
    {2, 1, 2, 2, 1, 1, 0, 2, 0},
    {0, 1, 0, 0, 1, 0, 2, 1, 1},
    {2, 2, 0, 1, 1, 0, 0, 0, 2},
    {0, 2, 0, 2, 1, 0, 0, 2, 2},
    {0, 1, 2, 0, 2, 1, 1, 1, 0},
    {0, 0, 0, 1, 2, 0, 0, 0, 2},
    {2, 1, 0, 0, 2, 0, 2, 1, 0},
}};

const std::array<double, kNumParams> kDefaults = {0, 0, 0, 0,   0,   0,    0,    0,  0,
                                                  0, 0, 0, 2.0, 0.0, 10.0, 50.0, 0.0};

double realFor(int param, double normalised) {
  const ParamInfo& p = kParams[param];
  const double x = p.shape == 0.0
                       ? normalised
                       : (std::exp(p.shape * normalised) - 1.0) / (std::exp(p.shape) - 1.0);
  return p.min + (p.max - p.min) * x;
}

float normalisedFor(int param, double real) {
  const ParamInfo& p = kParams[param];
  const double x = (real - p.min) / (p.max - p.min);
  const double s = p.shape;
  return static_cast<float>(s == 0.0 ? x : std::log((std::exp(s) - 1.0) * x + 1.0) / s);
}

std::shared_ptr<host::PluginLibrary> loadTundrax() {
  return host::PluginLibrary::load(TUNDRAX_PLUGIN_PATH);
}

std::unique_ptr<host::PluginInstance> openTundrax(
    const std::shared_ptr<host::PluginLibrary>& library) {
  auto plugin = std::make_unique<host::PluginInstance>(library);
  plugin->open();
  plugin->setSampleRate(48000.0);
  plugin->setBlockSize(512);
  return plugin;
}

double readDouble(const std::vector<uint8_t>& bytes, std::size_t offset) {
  double value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);  // x86-64: little-endian
  return value;
}

void writeDouble(std::vector<uint8_t>& bytes, std::size_t offset, double value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

int32_t readInt32(const std::vector<uint8_t>& bytes, std::size_t offset) {
  int32_t value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::vector<double> realValues(host::PluginInstance& plugin) {
  std::vector<uint8_t> chunk = plugin.getChunk(host::ChunkKind::Program);
  std::vector<double> values;
  if (chunk.size() != kProgramChunkSize) return values;
  for (int i = 0; i < kNumParams; ++i) values.push_back(readDouble(chunk, 8 + 8 * i));
  return values;
}

::testing::AssertionResult allParamsSane(host::PluginInstance& plugin) {
  std::vector<double> values = realValues(plugin);
  if (values.size() != kNumParams) {
    return ::testing::AssertionFailure() << "no program chunk of " << kProgramChunkSize << " bytes";
  }
  for (int i = 0; i < kNumParams; ++i) {
    float normalised = plugin.getParameter(i);
    if (!std::isfinite(values[i]) || values[i] < kParams[i].min || values[i] > kParams[i].max ||
        !std::isfinite(normalised) || normalised < 0.0f || normalised > 1.0f) {
      return ::testing::AssertionFailure()
             << "parameter " << i << " holds " << values[i] << " (normalised " << normalised << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

std::mt19937 seededRandom(const char* testName, uint32_t seed) {
  std::printf("%s: seed %u\n", testName, seed);
  return std::mt19937(seed);
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

}  // namespace e2e
