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
  std::atomic<bool> done{false};
  std::thread audio([&] {
    for (int n = 0; n < 200000; ++n) {
      meter.SetLevel(false, (n % 480) == 0 ? 0.9 : 0.01);
    }
    done = true;
  });
  int draws = 0;
  while (!done) {
    const double level = meter.GetDisplayedLevel();
    const double held = meter.GetHeldPeak();
    ASSERT_GE(level, MeterBallistics::kMinimumDb);
    ASSERT_LE(level, 0.0);
    ASSERT_GE(held, MeterBallistics::kMinimumLinear);
    ASSERT_LE(held, 1.0);
    const int frame = meter.GetFrame(101);
    ASSERT_GE(frame, 1);
    ASSERT_LE(frame, 101);
    meter.ResetHeldPeak();
    ++draws;
    std::this_thread::yield();
  }
  audio.join();
  EXPECT_GT(draws, 0);
}

}  // namespace
