#pragma once
// LimiterStereo: the fixed 0 dBFS output ceiling. A stereo peak follower (instant attack,
// 3 ms release) measures both channels; whichever is above 0 dBFS sets one gain for both;
// a final clamp keeps every sample within ±1 whatever the rounding.
//
// Threads: the product calls SetSampleRate from its reset handler and Process from the
// audio thread, under the plug-in lock. Plain value; no allocation.
//
// Process gives the bits of the plain equations while skipping the logarithms and the power
// when both peak states are at most 1.0: each level is then the -96 dB floor or 20·log10 of
// a value ≤ 1, which is ≤ 0 (log10 of 1 is exactly 0 and a faithful log10 keeps the sign of
// the result), so over = 0 - max(levels) ≥ 0, min(0, over) = 0 and the gain is 10^0 = 1.

#include <algorithm>

#include "PeakFollowerStereo.h"

class LimiterStereo {
 public:
  static constexpr double kThresholdDb = 0.0;  // the ceiling; nothing changes it
  static constexpr double kReleaseMs = 3.0;

  LimiterStereo() { mFollower.SetRelease(kReleaseMs); }

  void SetSampleRate(double sampleRate) { mFollower.SetSampleRate(sampleRate); }

  void Process(double& left, double& right) {
    mFollower.Follow(left, right);
    const double peakL = mFollower.GetLeftState();
    const double peakR = mFollower.GetRightState();
    const double g = peakL <= 1.0 && peakR <= 1.0 ? 1.0 : GainAbove(peakL, peakR);
    // min then max: a sample that is not a number (only after overflow) comes out as -1.
    left = std::max(-1.0, std::min(left * g, 1.0));
    right = std::max(-1.0, std::min(right * g, 1.0));
  }

  void ClearNonFiniteState() { mFollower.ClearNonFiniteState(); }

  const PeakFollowerStereo& GetFollower() const { return mFollower; }

 private:
  // 10^(min(0, threshold - max(levels)) / 20), out of line: reached only above full scale.
  static double GainAbove(double peakL, double peakR);

  PeakFollowerStereo mFollower;
};
