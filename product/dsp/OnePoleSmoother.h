#pragma once
// OnePoleSmoother: glides a state towards a target, coefficient = 1 - exp(k / (ms × 0.001 ×
// rate)) with k = -5 (exactly 1 for a time of 0). The compressor smooths its make-up gain
// with one over 20 ms; because SetSampleRate restarts the state from 0, the output fades in
// after every reset. Once settled at its target it skips the arithmetic (same bits).
//
// Threads: called by its owner under the owner's lock. Plain value; no allocation.

#include <bit>
#include <cstdint>

#include "DspMath.h"

class OnePoleSmoother {
 public:
  static constexpr double kTimeFactor = -5.0;

  // Stores the rate, recomputes the coefficient, restarts the state from 0.
  void SetSampleRate(double sampleRate);
  // Stores the time and recomputes the coefficient; the state stays.
  void SetTime(double ms);

  // Moves the state one step towards the target and returns it in place of the target.
  void Process(double& target) {
    if (target == mState && StepKeepsValue(mState)) {
      target = mState;  // settled
      return;
    }
    const double s = Step(target);
    mState = s;
    target = s;
  }

  // Restarts from 0 when the state became infinite or not a number.
  void ClearNonFiniteState();

  // True when Process(target) would return the state and keep it: settled at the target, or
  // so near it that the step rounds back to the state (a glide often ends a few units in the
  // last place short of its target and stays there).
  bool KeepsStateAt(double target) const {
    return (target == mState && StepKeepsValue(mState)) ||
           std::bit_cast<std::uint64_t>(Step(target)) == std::bit_cast<std::uint64_t>(mState);
  }
  double GetState() const { return mState; }
  double GetCoefficient() const { return mCoefficient; }

 private:
  double Step(double target) const { return FlushTiny((target - mState) * mCoefficient + mState); }
  void UpdateCoefficient() {
    mCoefficient = 1.0 - DecayCoefficient(kTimeFactor, mTimeMs * 0.001 * mSampleRate);
  }

  double mSampleRate = 44100.0;  // Hz
  double mTimeMs = 500.0;
  double mCoefficient = 0.0;
  double mState = 0.0;
};
