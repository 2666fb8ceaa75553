// lv2_bench_driver IN.wav FRAMES [INDEX=VALUE | --no-meters]...: runs the LV2 Tundrax over a
// stereo file in cycles of FRAMES, with parameter INDEX at the real VALUE, the way a host runs
// it: controls connected once (the meter outputs too, unless --no-meters), audio ports connected
// to each cycle's buffers. Prints the frame count.
// Every cycle goes through RunCycle, which callgrind counts alone.
#include <dlfcn.h>
#include <lv2/core/lv2.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/host/AudioFile.h"

namespace {

constexpr uint32_t kFirstParamPort = 4, kNumParams = 17, kNumPorts = kFirstParamPort + 19;

__attribute__((noinline)) void RunCycle(const LV2_Descriptor* d, LV2_Handle h, float** audio,
                                        uint32_t frames) {
  for (uint32_t port = 0; port < 4; ++port) d->connect_port(h, port, audio[port]);
  d->run(h, frames);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lv2_bench_driver IN.wav FRAMES [INDEX=VALUE]...\n");
    return 2;
  }
  host::AudioReader reader(argv[1]);
  const auto cycle = static_cast<uint32_t>(std::atoi(argv[2]));
  if (reader.channels() != 2 || cycle == 0) return 2;
  std::vector<double> interleaved(static_cast<std::size_t>(reader.frames()) * 2);
  reader.read(interleaved.data(), reader.frames());

  void* library = dlopen(TUNDRAX_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
  auto entry = library ? reinterpret_cast<LV2_Descriptor_Function>(dlsym(library, "lv2_descriptor"))
                       : nullptr;
  const LV2_Descriptor* d = entry ? entry(0) : nullptr;
  const LV2_Feature* none[] = {nullptr};
  LV2_Handle h = d ? d->instantiate(d, reader.sampleRate(), "", none) : nullptr;
  if (!h) return 1;

  float controls[kNumPorts] = {};
  const float defaults[kNumParams] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 10, 50, 0};
  for (uint32_t i = 0; i < kNumParams; ++i) controls[kFirstParamPort + i] = defaults[i];
  bool meters = true;
  for (int a = 3; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--no-meters") {
      meters = false;
      continue;
    }
    const auto eq = arg.find('=');
    const int idx = std::atoi(arg.substr(0, eq).c_str());
    if (eq == std::string::npos || idx < 0 || idx >= static_cast<int>(kNumParams)) return 2;
    controls[kFirstParamPort + idx] = std::strtof(arg.c_str() + eq + 1, nullptr);
  }
  const uint32_t lastPort = meters ? kNumPorts : kFirstParamPort + kNumParams;
  for (uint32_t port = kFirstParamPort; port < lastPort; ++port) {
    d->connect_port(h, port, &controls[port]);
  }
  d->activate(h);

  std::vector<float> in[2], out[2];
  for (auto* buffers : {in, out}) {
    for (int c = 0; c < 2; ++c) buffers[c].resize(cycle);
  }
  float* audio[4] = {in[0].data(), in[1].data(), out[0].data(), out[1].data()};
  const auto total = static_cast<std::size_t>(reader.frames());
  for (std::size_t done = 0; done < total; done += cycle) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(cycle, total - done));
    for (uint32_t f = 0; f < n; ++f) {
      in[0][f] = static_cast<float>(interleaved[2 * (done + f)]);
      in[1][f] = static_cast<float>(interleaved[2 * (done + f) + 1]);
    }
    RunCycle(d, h, audio, n);
  }
  d->deactivate(h);
  d->cleanup(h);
  dlclose(library);
  std::printf("%zu frames\n", total);
  return 0;
}
