// The audio thread feeds a meter while the drawing thread reads it and resets its held peak:
// no data race (checked under the thread sanitizer), and the values keep their meaning.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "MeterBallistics.h"

namespace {

TEST(MeterThreads, DrawingWhileAudioFeeds) {
  MeterBallistics meter;
  meter.SetSampleRate(48000);
  std::atomic<bool> drawn{false};
  std::atomic<int> fed{0};
  std::thread audio([&] {
    // Feeds until the drawing side is done (bounded, so a fault cannot hang the test).
    for (int n = 0; n < 50000000 && !drawn; ++n) {
      meter.SetLevel(false, (n % 480) == 0 ? 0.9 : 0.01);
      fed.store(n, std::memory_order_relaxed);
    }
  });
  // EXPECT, not ASSERT: the audio thread must be joined whatever happens.
  for (int draw = 0; draw < 2000; ++draw) {
    const double level = meter.GetDisplayedLevel();
    const double held = meter.GetHeldPeak();
    EXPECT_GE(level, MeterBallistics::kMinimumDb);
    EXPECT_LE(level, 0.0);
    EXPECT_GE(held, MeterBallistics::kMinimumLinear);
    EXPECT_LE(held, 1.0);
    const int frame = meter.GetFrame(101);
    EXPECT_GE(frame, 1);
    EXPECT_LE(frame, 101);
    meter.ResetHeldPeak();
    std::this_thread::yield();
  }
  // On a busy machine the audio thread may not have run yet: let it feed before stopping it.
  while (fed.load() == 0) std::this_thread::yield();
  drawn = true;
  audio.join();
  EXPECT_GT(fed.load(), 0);
}

}  // namespace
