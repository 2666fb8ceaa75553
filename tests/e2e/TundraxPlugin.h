// The built plug-in, loaded as a host loads it (dlopen, VSTPluginMain), and what the tests
// know about it: its parameter table, ranges, curves and factory presets; and audio streamed
// through its process callbacks.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/host/PluginInstance.h"

namespace e2e {

constexpr int kNumParams = 17;
constexpr int kNumPrograms = 11;
constexpr std::size_t kProgramChunkSize = 8 + 8 * kNumParams;

struct ParamInfo {
  const char* name;  // empty: the implementer names it
  const char* label;
  double min, max;
  bool isDouble;
  double
      shape;  // of the curve real = min + (max - min) (e^(shape n) - 1) / (e^shape - 1); 0: linear
};

extern const std::array<ParamInfo, kNumParams> kParams;
extern const std::array<const char*, kNumPrograms> kProgramNames;
// Parameters 3 to 11 of every factory preset; the others are at their defaults.
extern const std::array<std::array<int, 9>, kNumPrograms> kPresetSteps;
// Real values of the "Default" program.
extern const std::array<double, kNumParams> kDefaults;

// The real value of `param` at a normalised value, and the normalised value that gives `real`.
double realFor(int param, double normalised);
float normalisedFor(int param, double real);

std::shared_ptr<host::PluginLibrary> loadTundrax();

// A new instance opened the way a DAW opens one: effOpen, 48 kHz, blocks of 512.
std::unique_ptr<host::PluginInstance> openTundrax(
    const std::shared_ptr<host::PluginLibrary>& library = loadTundrax());

// The real parameter values, read from the program chunk.
std::vector<double> realValues(host::PluginInstance& plugin);
// Doubles stored little-endian from `offset` of `bytes`.
double readDouble(const std::vector<uint8_t>& bytes, std::size_t offset);
void writeDouble(std::vector<uint8_t>& bytes, std::size_t offset, double value);
int32_t readInt32(const std::vector<uint8_t>& bytes, std::size_t offset);

// Every parameter finite and inside its range; the message names the first that is not.
::testing::AssertionResult allParamsSane(host::PluginInstance& plugin);

// A fixed seed, printed so a failure can be replayed.
std::mt19937 seededRandom(const char* testName, uint32_t seed);

// Planar audio: one vector per channel.
using Signal = std::vector<std::vector<double>>;

// Streams `in` through the plug-in in calls of `piece` frames (the last may be shorter);
// `in.size()` channels are used.
Signal render(host::PluginInstance& plugin, host::Precision precision, const Signal& in,
              int32_t piece = 512);

}  // namespace e2e
