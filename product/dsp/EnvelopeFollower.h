#pragma once
// EnvelopeFollower: one-pole attack/release smoothing of an arbitrary value. The compressor
// smooths its gain reduction (dB) with one, each meter its level (dB).
//
// A value above the state moves it with the attack coefficient, anything else (equal, lower,
// not a number) with the release coefficient; coefficient = exp(k / (ms × rate × 0.001)) with
// k = -5, so a step is covered to all but e^-5 within the time. A time of 0 (coefficient 0)
// makes that direction instant; a fresh follower has both coefficients 0. A settled state
// (value equal to the state) skips the arithmetic where that gives the same bits.
//
// Threads: the owner calls everything from its parameter/reset handlers and the audio thread
// under one lock. Plain value; no allocation.

#include "DspMath.h"

class EnvelopeFollower {
 public:
  static constexpr double kTimeFactor = -5.0;

  // Recomputes both coefficients; the state stays.
  void SetSampleRate(double sampleRate);
  void SetAttack(double ms);
  void SetRelease(double ms);
  void SetState(double state) { mState = state; }

  // Replaces the value by the new state.
  void Process(double& value) {
    double s = mState;
    const double x = value;
    if (IsSettledAt(x)) {
      return;  // value and state stay
    }
    if (x > s) {
      s = x + (s - x) * mAttackCoefficient;
    } else {
      s = x + (s - x) * mReleaseCoefficient;
    }
    s = FlushTiny(s);
    mState = s;
    value = s;
  }

  // Restarts from restartState when the state became infinite or not a number.
  void ClearNonFiniteState(double restartState);

  // True when Process(value) would leave value and state as they are.
  bool IsSettledAt(double value) const { return value == mState && StepKeepsValue(value); }
  double GetState() const { return mState; }
  double GetAttackCoefficient() const { return mAttackCoefficient; }
  double GetReleaseCoefficient() const { return mReleaseCoefficient; }

 private:
  double Coefficient(double ms) const {
    return DecayCoefficient(kTimeFactor, ms * mSampleRate * 0.001);
  }

  double mSampleRate = 44100.0;  // Hz
  double mAttackMs = 100.0;
  double mReleaseMs = 500.0;
  double mReleaseCoefficient = 0.0;
  double mAttackCoefficient = 0.0;
  double mState = 0.0;
};
