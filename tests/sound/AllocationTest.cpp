// The audio path never touches the heap: thousands of process calls through every callback,
// in both precisions and layouts, across presets and parameter changes, with calls longer than
// the block size and faulty samples, make no allocation and no free on the processing thread.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "tests/sound/CountingAllocator.h"
#include "tests/sound/SoundHost.h"

namespace {

using alloccount::countedOperations;
using alloccount::CountedRegion;

// The counter must see what it is meant to catch, the plug-in's own allocations and frees:
// a new block size makes the plug-in reallocate its scratch buffers; and the C allocator's.
// Outside a region nothing counts.
TEST(Allocation, TheCounterSeesThePluginsHeapOperationsInsideARegionOnly) {
  auto plugin = e2e::openTundrax();
  int64_t before = countedOperations();
  {
    CountedRegion region;
    plugin->setBlockSize(3000);
  }
  EXPECT_GE(countedOperations() - before, 2);
  before = countedOperations();
  {
    CountedRegion region;  // the C allocator, which a plug-in may call directly
    void* volatile block = std::malloc(16);
    std::free(block);
  }
  EXPECT_EQ(countedOperations() - before, 2);
  before = countedOperations();
  plugin->setBlockSize(5000);
  void* volatile block = std::malloc(16);
  std::free(block);
  EXPECT_EQ(countedOperations(), before);
}

TEST(Allocation, TheAudioPathNeverAllocates) {
  const uint32_t seed = 1234;
  std::mt19937 random = e2e::seededRandom("Allocation.TheAudioPathNeverAllocates", seed);
  constexpr int32_t kBlock = 512, kLongest = 2000;  // some calls are longer than announced
  const std::vector<double> signal = sound::loudKickAndNoise(48000, 48000, 12.0, seed);
  std::vector<double> dIn[2], dOut[2];
  std::vector<float> fIn[2], fOut[2];
  for (int c = 0; c < 2; ++c) {
    dIn[c].resize(kLongest);
    dOut[c].resize(kLongest);
    fIn[c].resize(kLongest);
    fOut[c].resize(kLongest);
  }
  double* dIns[] = {dIn[0].data(), dIn[1].data()};
  double* dOuts[] = {dOut[0].data(), dOut[1].data()};
  float* fIns[] = {fIn[0].data(), fIn[1].data()};
  float* fOuts[] = {fOut[0].data(), fOut[1].data()};

  const int64_t before = countedOperations();
  int calls = 0;
  for (int channels : {2, 1}) {
    auto plugin = e2e::openTundrax();
    if (channels == 1) {
      ASSERT_TRUE(plugin->setSpeakerArrangement(1, 1));
    }
    plugin->setBlockSize(kBlock);
    plugin->resume();
    plugin->startProcess();
    // The first call of each kind is not counted.
    plugin->processReplacing(fIns, fOuts, kBlock);
    plugin->processDoubleReplacing(dIns, dOuts, kBlock);
    plugin->processAccumulating(fIns, fOuts, kBlock);
    std::size_t at = 0;
    for (int i = 0; i < 3000; ++i) {
      if (i % 250 == 0) plugin->setProgram(static_cast<int32_t>(random() % e2e::kNumPrograms));
      if (i % 40 == 0) {
        plugin->setParameter(static_cast<int32_t>(random() % e2e::kNumParams),
                             static_cast<float>(random() % 1001) / 1000.0f);
      }
      const auto frames = static_cast<int32_t>(i % 97 == 0 ? kLongest : 1 + random() % kBlock);
      for (int c = 0; c < 2; ++c) {
        for (int32_t n = 0; n < frames; ++n) {
          const double x =
              signal[(at + static_cast<std::size_t>(n)) % signal.size()] * (c ? 0.5 : 1.0);
          dIn[c][n] = i % 113 == 0 && n % 7 == 0 ? std::numeric_limits<double>::quiet_NaN() : x;
          fIn[c][n] = static_cast<float>(dIn[c][n]);
        }
      }
      at += static_cast<std::size_t>(frames);
      {
        CountedRegion region;
        switch (i % 3) {
          case 0:
            plugin->processReplacing(fIns, fOuts, frames);
            break;
          case 1:
            plugin->processDoubleReplacing(dIns, dOuts, frames);
            break;
          default:
            plugin->processAccumulating(fIns, fOuts, frames);
            break;
        }
      }
      ++calls;
      ASSERT_TRUE(std::isfinite(dOut[0][0]) && std::isfinite(fOut[0][0]));
    }
    plugin->stopProcess();
  }
  std::printf("%d process calls, %lld heap operations inside them\n", calls,
              static_cast<long long>(countedOperations() - before));
  EXPECT_EQ(countedOperations() - before, 0);
}

}  // namespace
