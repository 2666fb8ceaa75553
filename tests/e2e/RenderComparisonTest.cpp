// The comparison of two renders of one input, as tundrax-host process --compare reports it.
#include "tools/host/RenderComparison.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

void feed(host::BlockListener& listener, int64_t start, std::vector<double> left,
          std::vector<double> right) {
  const double* outputs[] = {left.data(), right.data()};
  listener.onBlock({0, start, static_cast<int32_t>(left.size()), 2, outputs, outputs});
}

}  // namespace

// The largest reduction of gain against a first render, where that render is above the floor;
// none when nothing got quieter.
TEST(RenderComparison, LargestReductionAboveTheFloor) {
  host::RenderRecorder first(2);
  feed(first, 0, {0.5, 1e-6, 0.25}, {0.5, 0.5, -0.5});
  feed(first, 3, {0.1}, {0.1});

  host::GainDifference difference(first);
  // Frame 1 on the left is nearly silent in the first render: it says nothing about gain.
  feed(difference, 0, {0.5, 1.0, 0.5}, {0.5, 0.5, -0.5});
  feed(difference, 3, {0.1, 0.9}, {0.1, 0.9});  // frames past the first render are ignored
  EXPECT_NEAR(difference.largestDb(), 20.0 * std::log10(2.0), 1e-12);
  EXPECT_EQ(difference.frameOfLargest(), 2);

  host::RenderRecorder loud(2);
  feed(loud, 0, {1.0, 1.0}, {1.0, 1.0});
  host::GainDifference quieter(loud);
  feed(quieter, 0, {0.5, 0.5}, {0.5, 0.5});
  EXPECT_EQ(quieter.largestDb(), 0.0);
}
