// What a host pays for Tundrax: creating and opening an instance (with its editor, and the
// same product without one), and processing one block through the single- and
// double-precision callbacks. The copy benchmark moves the same
// number of samples with memcpy, the baseline the process figures are read against.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <unistd.h>

#include <lv2/core/lv2.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <type_traits>
#include <vector>

#include "tools/host/PluginInstance.h"

namespace {

std::shared_ptr<host::PluginLibrary> library() {
  static std::shared_ptr<host::PluginLibrary> loaded =
      host::PluginLibrary::load(TUNDRAX_PLUGIN_PATH);
  return loaded;
}

// VSTPluginMain + effOpen + effClose of the first instance in a process: its editor decodes
// the artwork. Each round loads a fresh copy of the module (not timed), whose caches are empty.
void BM_CreateOpenCloseFirst(benchmark::State& state) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tundrax-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::filesystem::path copy = dir / ("Tundrax-" + std::to_string(round++) + ".so");
    std::filesystem::copy_file(TUNDRAX_PLUGIN_PATH, copy);
    auto fresh = host::PluginLibrary::load(copy.string());
    state.ResumeTiming();
    host::PluginInstance plugin(fresh);
    plugin.open();
    plugin.close();
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_CreateOpenCloseFirst)->Unit(benchmark::kMillisecond)->Iterations(5);

// VSTPluginMain + effOpen + effClose once the artwork is decoded (every later instance).
void BM_CreateOpenClose(benchmark::State& state) {
  auto lib = library();
  for (auto _ : state) {
    host::PluginInstance plugin(lib);
    plugin.open();
    plugin.close();
  }
}
BENCHMARK(BM_CreateOpenClose)->Unit(benchmark::kMicrosecond);

// The same product without an editor, the baseline of the figure above: the LV2 plug-in's
// instantiate (parameters, presets, every parameter applied, state cleared) and cleanup.
void BM_CreateWithoutEditor(benchmark::State& state) {
  void* lib = dlopen(TUNDRAX_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
  if (!lib) return state.SkipWithError("cannot load the LV2 plug-in");
  auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(lib, "lv2_descriptor"));
  const LV2_Descriptor* descriptor = entry(0);
  const LV2_Feature* features[] = {nullptr};
  for (auto _ : state) {
    LV2_Handle handle = descriptor->instantiate(descriptor, 48000.0, "", features);
    descriptor->cleanup(handle);
  }
  dlclose(lib);
}
BENCHMARK(BM_CreateWithoutEditor)->Unit(benchmark::kMicrosecond);

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

// One block through the plug-in's single (float) or double precision path.
template <typename Sample>
void BM_Process(benchmark::State& state) {
  constexpr bool kSingle = std::is_same_v<Sample, float>;
  const auto frames = static_cast<int32_t>(state.range(0));
  auto plugin = playing(frames, kSingle ? host::Precision::Single : host::Precision::Double);
  StereoBuffers<Sample> buffers(frames);
  for (auto _ : state) {
    if constexpr (kSingle) {
      plugin->processReplacing(buffers.inputs, buffers.outputs, frames);
    } else {
      plugin->processDoubleReplacing(buffers.inputs, buffers.outputs, frames);
    }
    benchmark::DoNotOptimize(buffers.out[0].data());
  }
  state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK_TEMPLATE(BM_Process, float)->Arg(64)->Arg(512);
BENCHMARK_TEMPLATE(BM_Process, double)->Arg(64)->Arg(512);

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
