// Runs the generated kick (the same on both channels, as tundrax-kickgen writes it) through
// the chain once, for instruction counting under callgrind.
//   dsp_chain_driver <fast|reference|setup> <preset index> <seconds>
// "setup" does everything except the processing, so its count can be subtracted. Prints a
// checksum of the output so the work cannot be optimised away, and the frame count.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "KickChain.h"
#include "ProductParams.h"
#include "reference/ReferenceChain.h"
#include "tools/kickgen/KickSynth.h"

namespace {

constexpr int kSampleRate = 48000;
constexpr int kBlock = 512;

template <typename ProcessFn>
double RunBlocks(const std::vector<double>& in, ProcessFn process) {
  const int frames = static_cast<int>(in.size());
  std::vector<double> outL(kBlock), outR(kBlock);
  double checksum = 0.0;
  for (int pos = 0; pos < frames; pos += kBlock) {
    const int n = frames - pos < kBlock ? frames - pos : kBlock;
    process(in.data() + pos, in.data() + pos, outL.data(), outR.data(), n);
    checksum += outL[0] + outR[n - 1];
  }
  return checksum;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <fast|reference|setup> <preset> <seconds>\n", argv[0]);
    return 2;
  }
  const char* mode = argv[1];
  const int preset = std::atoi(argv[2]);
  if (preset < 0 || preset >= kNumFactoryPresets) {
    std::fprintf(stderr, "preset must be 0..%d\n", kNumFactoryPresets - 1);
    return 2;
  }
  const std::vector<double> kick = kickgen::synthesizeKicks(kSampleRate, std::atof(argv[3]));
  const ProductParams params = ProductParams::ForPreset(kFactoryPresets[preset]);

  KickChain chain;
  ApplyAllParams(chain, params);
  chain.Reset(kSampleRate);
  ref::Chain reference;
  for (int i = 0; i < kNumParams; ++i) {
    reference.OnParamChange(i, params.values);
  }
  reference.Reset(kSampleRate);

  double checksum = 0.0;
  if (std::strcmp(mode, "fast") == 0) {
    checksum = RunBlocks(kick, [&](const double* l, const double* r, double* ol, double* orr,
                                   int n) { chain.Process(l, r, ol, orr, n, 2); });
  } else if (std::strcmp(mode, "reference") == 0) {
    checksum = RunBlocks(kick, [&](const double* l, const double* r, double* ol, double* orr,
                                   int n) { reference.Process(l, r, ol, orr, n, 2); });
  } else if (std::strcmp(mode, "setup") != 0) {
    std::fprintf(stderr, "unknown mode %s\n", mode);
    return 2;
  }
  std::printf("%s frames=%zu checksum=%.17g\n", mode, kick.size(), checksum);
  return 0;
}
