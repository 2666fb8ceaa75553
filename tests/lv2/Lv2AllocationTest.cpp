// The LV2 run cycle allocates nothing: not when it processes, not when it applies changed
// control values, not when a cycle is longer than the block and is split, not when it feeds the
// meter ports.
#include <gtest/gtest.h>

#include "Lv2Host.h"
#include "tests/sound/CountingAllocator.h"

namespace {

TEST(Lv2Allocation, TheRunCycleNeverAllocates) {
  lv2test::Lv2Plugin plugin(48000.0, 256);
  plugin.inL.assign(4096, 0.0f);
  for (std::size_t i = 0; i < plugin.inL.size(); ++i) plugin.inL[i] = (i % 97) / 97.0f - 0.5f;
  plugin.inR = plugin.inL;
  plugin.outL.resize(4096);
  plugin.outR.resize(4096);
  plugin.param(12) = 2.0f;
  plugin.param(14) = 10.0f;
  plugin.param(15) = 50.0f;
  plugin.connectAll();
  plugin.activate();
  plugin.run(512);  // the first cycle applies every port, as any later one may

  const int64_t before = alloccount::countedOperations();
  for (int cycle = 0; cycle < 20; ++cycle) {
    plugin.param(13) = static_cast<float>(cycle);
    plugin.param(3 + cycle % 9) = static_cast<float>(cycle % 3);
    plugin.param(cycle % 3) = static_cast<float>(cycle % 2);
    alloccount::CountedRegion region;
    plugin.run(cycle % 2 ? 4096 : 100);
  }
  EXPECT_EQ(alloccount::countedOperations(), before);
}

}  // namespace
