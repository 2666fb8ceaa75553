#pragma once
// PeakFollowerStereo: a stereo peak detector with instant attack and exponential release,
// reporting levels in dB. The limiter runs one with a 3 ms release. Release coefficient =
// exp(k / (ms × rate × 0.001)) with k = -1.00239343 (close to ln 0.367: after the release
// time the excess over the input has decayed to about 36.7 %).
//
// Threads: called by its owner under the owner's lock. Plain value; no allocation.

#include <cmath>

#include "DspMath.h"

class PeakFollowerStereo {
 public:
  static constexpr double kTimeFactor = -1.00239343;
  // 10^(-96/20) rounded to single precision: states at or below it report the floor.
  static constexpr double kFloorLinear = 1.5848931070649996e-05;
  static constexpr double kFloorDb = -96.0;

  // Each recomputes the release coefficient; the states stay.
  void SetSampleRate(double sampleRate);
  void SetRelease(double ms);

  // Replaces each sample by its detected level in dB (left, then right).
  void Process(double& left, double& right) {
    Follow(left, right);
    left = LevelDb(mLeftState);
    right = LevelDb(mRightState);
  }

  // The state update of Process alone: the caller reads the linear states and converts only
  // what it needs.
  void Follow(double left, double right) {
    mLeftState = FollowOne(left, mLeftState);
    mRightState = FollowOne(right, mRightState);
  }

  static double LevelDb(double state) {
    return state <= kFloorLinear ? kFloorDb : 20.0 * std::log10(state);
  }

  // Restarts both states from 0 when either became infinite or not a number.
  void ClearNonFiniteState();

  double GetLeftState() const { return mLeftState; }
  double GetRightState() const { return mRightState; }

 private:
  void UpdateCoefficient();

  double FollowOne(double sample, double state) const {
    const double v = std::fabs(sample);
    const double s = v > state ? v : v + (state - v) * mReleaseCoefficient;
    return FlushTiny(s);
  }

  double mSampleRate = 44100.0;  // Hz
  double mReleaseMs = 500.0;
  double mReleaseCoefficient = 0.0;
  double mLeftState = 0.0;   // linear
  double mRightState = 0.0;  // linear
};
