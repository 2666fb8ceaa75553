#include "PeakFollowerStereo.h"

void PeakFollowerStereo::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  UpdateCoefficient();
}

void PeakFollowerStereo::SetRelease(double ms) {
  mReleaseMs = ms;
  UpdateCoefficient();
}

void PeakFollowerStereo::UpdateCoefficient() {
  mReleaseCoefficient = DecayCoefficient(kTimeFactor, mReleaseMs * mSampleRate * 0.001);
}

void PeakFollowerStereo::ClearNonFiniteState() {
  if (!std::isfinite(mLeftState) || !std::isfinite(mRightState)) {
    mLeftState = 0.0;
    mRightState = 0.0;
  }
}
