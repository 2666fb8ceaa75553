#include "OnePoleSmoother.h"

#include <cmath>

void OnePoleSmoother::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  UpdateCoefficient();
  mState = 0.0;
}

void OnePoleSmoother::SetTime(double ms) {
  mTimeMs = ms;
  UpdateCoefficient();
}

void OnePoleSmoother::ClearNonFiniteState() {
  if (!std::isfinite(mState)) {
    mState = 0.0;
  }
}
