// What a host pays for Tundrax: creating and opening an instance, and processing one block
// through the single- and double-precision callbacks. The copy benchmark moves the same
// number of samples with memcpy, the baseline the process figures are read against.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "tools/host/PluginInstance.h"

namespace {

std::shared_ptr<host::PluginLibrary> library() {
  static std::shared_ptr<host::PluginLibrary> loaded = host::PluginLibrary::load(TUNDRAX_PLUGIN_PATH);
  return loaded;
}

// VSTPluginMain + effOpen + effClose.
void BM_CreateOpenClose(benchmark::State& state) {
  auto lib = library();
  for (auto _ : state) {
    host::PluginInstance plugin(lib);
    plugin.open();
    plugin.close();
  }
}
BENCHMARK(BM_CreateOpenClose)->Unit(benchmark::kMicrosecond);

template <typename Sample>
struct StereoBuffers {
  explicit StereoBuffers(int frames)
      : in(2, std::vector<Sample>(frames, Sample(0.25))), out(2, std::vector<Sample>(frames)) {
    inputs[0] = in[0].data();
    inputs[1] = in[1].data();
    outputs[0] = out[0].data();
    outputs[1] = out[1].data();
  }
  std::vector<std::vector<Sample>> in, out;
  Sample* inputs[2];
  Sample* outputs[2];
};

std::unique_ptr<host::PluginInstance> playing(int frames, host::Precision precision) {
  auto plugin = std::make_unique<host::PluginInstance>(library());
  plugin->open();
  plugin->setSampleRate(48000.0);
  plugin->setBlockSize(frames);
  plugin->setProcessPrecision(precision);
  plugin->resume();
  plugin->startProcess();
  return plugin;
}

void BM_ProcessSingle(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  auto plugin = playing(frames, host::Precision::Single);
  StereoBuffers<float> buffers(frames);
  for (auto _ : state) {
    plugin->processReplacing(buffers.inputs, buffers.outputs, frames);
    benchmark::DoNotOptimize(buffers.out[0].data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ProcessSingle)->Arg(64)->Arg(512);

void BM_ProcessDouble(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  auto plugin = playing(frames, host::Precision::Double);
  StereoBuffers<double> buffers(frames);
  for (auto _ : state) {
    plugin->processDoubleReplacing(buffers.inputs, buffers.outputs, frames);
    benchmark::DoNotOptimize(buffers.out[0].data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_ProcessDouble)->Arg(64)->Arg(512);

// Baseline: copying a stereo block of doubles.
void BM_CopyStereoBlock(benchmark::State& state) {
  const auto frames = static_cast<int32_t>(state.range(0));
  StereoBuffers<double> buffers(frames);
  for (auto _ : state) {
    for (int c = 0; c < 2; ++c) {
      std::memcpy(buffers.outputs[c], buffers.inputs[c], sizeof(double) * frames);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(BM_CopyStereoBlock)->Arg(64)->Arg(512);

}  // namespace
