#include "EnvelopeFollower.h"

#include <cmath>

void EnvelopeFollower::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  mReleaseCoefficient = Coefficient(mReleaseMs);
  mAttackCoefficient = Coefficient(mAttackMs);
}

void EnvelopeFollower::SetAttack(double ms) {
  mAttackMs = ms;
  mAttackCoefficient = Coefficient(ms);
}

void EnvelopeFollower::SetRelease(double ms) {
  mReleaseMs = ms;
  mReleaseCoefficient = Coefficient(ms);
}

void EnvelopeFollower::ClearNonFiniteState(double restartState) {
  if (!std::isfinite(mState)) {
    mState = restartState;
  }
}
