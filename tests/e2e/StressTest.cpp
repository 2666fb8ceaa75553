// A host's threads all at once: audio processing on one thread while others set parameters,
// read displays, switch programs and save and load chunks. Bounded in iterations; run under
// TSan too.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "tests/e2e/TundraxPlugin.h"
#include "tools/host/BlockProcessor.h"

namespace {

using host::ChunkKind;

TEST(Stress, ProcessingWhileOtherThreadsChangeEverything) {
  auto plugin = e2e::openTundrax();
  plugin->setBlockSize(64);
  plugin->setProcessPrecision(host::Precision::Single);
  plugin->resume();
  plugin->startProcess();
  const std::vector<uint8_t> bank = plugin->getChunk(ChunkKind::Bank);

  std::atomic<int> busy{3};
  std::atomic<bool> badOutput{false};
  std::atomic<long> blocks{0};

  std::thread audio([&] {
    host::BlockProcessor processor(*plugin, 2, 64, host::Precision::Single);
    uint32_t noise = 1;
    for (long block = 0; block < 200000 && (busy.load() > 0 || block < 100); ++block) {
      for (int c = 0; c < 2; ++c) {
        for (double& x : processor.input(c)) {
          noise = noise * 1664525u + 1013904223u;
          x = static_cast<double>(noise >> 8) / (1 << 23) - 1.0;
        }
      }
      processor.process(64);
      for (int c = 0; c < 2; ++c) {
        for (double y : processor.output(c)) {
          if (!std::isfinite(y)) badOutput = true;
        }
      }
      blocks = block + 1;
    }
  });

  auto parameterThread = [&](uint32_t seed) {
    std::mt19937 random = e2e::seededRandom("Stress parameters", seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < 20000; ++i) {
      auto index = static_cast<int32_t>(random() % e2e::kNumParams);
      plugin->setParameter(index, unit(random));
      (void)plugin->getParameter(index);
      if (i % 16 == 0) (void)plugin->paramDisplay(index);
    }
    --busy;
  };
  std::thread params1(parameterThread, 11u);
  std::thread params2(parameterThread, 12u);

  std::thread programs([&] {
    std::mt19937 random = e2e::seededRandom("Stress programs", 13u);
    for (int i = 0; i < 2000; ++i) {
      plugin->setProgram(static_cast<int32_t>(random() % e2e::kNumPrograms));
      std::vector<uint8_t> program = plugin->getChunk(ChunkKind::Program);
      if (i % 3 == 0) plugin->setProgramName("Stress " + std::to_string(i));
      if (i % 5 == 0) plugin->setChunk(ChunkKind::Bank, plugin->getChunk(ChunkKind::Bank));
      plugin->setChunk(ChunkKind::Program, program);
      (void)plugin->programNameIndexed(static_cast<int32_t>(random() % e2e::kNumPrograms));
    }
    --busy;
  });

  params1.join();
  params2.join();
  programs.join();
  audio.join();
  std::printf("processed %ld blocks of 64 frames\n", blocks.load());

  EXPECT_FALSE(badOutput);
  EXPECT_GE(blocks.load(), 100);
  EXPECT_TRUE(e2e::allParamsSane(*plugin));
  plugin->stopProcess();
  plugin->suspend();
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Bank, bank));
}

// Hosts scan and load plug-ins from several threads: instances created, used and closed at
// the same time share nothing they could trip over.
TEST(Stress, InstancesCreatedOnSeveralThreadsAtOnce) {
  auto library = e2e::loadTundrax();
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&library, &failures, t] {
      for (int i = 0; i < 40; ++i) {
        auto plugin = e2e::openTundrax(library);
        plugin->setProgram((t + i) % e2e::kNumPrograms);
        plugin->setParameter(12, 0.1f * static_cast<float>(t));
        if (plugin->programName() != e2e::kProgramNames[(t + i) % e2e::kNumPrograms]) ++failures;
        if (plugin->getChunk(ChunkKind::Bank).size() != 1691u) ++failures;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
}

}  // namespace
