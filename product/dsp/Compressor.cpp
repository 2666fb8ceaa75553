#include "Compressor.h"

#include <cfloat>

#include "PowTenNearUnity.h"

Compressor::Compressor() {
  mMakeupSmoother.SetTime(kMakeupTimeMs);
  SetThreshold(0.0);
}

void Compressor::SetSampleRate(double sampleRate) {
  mEnvelope.SetSampleRate(sampleRate);
  mMakeupSmoother.SetSampleRate(sampleRate);
}

void Compressor::SetRatio(double ratio) { mRatio = ratio > 0.0 ? ratio : 1.0; }

void Compressor::SetThreshold(double thresholdDb) {
  mThreshold = thresholdDb;
  mFloorAboveThreshold = kFloorDb > thresholdDb;
  // The shortcut needs a bound in the normal range, where 1e-9 is a relative margin; below
  // it (thresholds under about -6150 dB, or not a number) every level is computed.
  const double boundary = std::pow(10.0, thresholdDb / 20.0);
  mBelowThresholdBound = boundary >= DBL_MIN ? boundary * (1.0 - 1e-9) : 0.0;
}

void Compressor::SetMakeupGain(double gainDb) { mMakeupGain = std::pow(10.0, gainDb / 20.0); }

double Compressor::ReductionAtMagnitude(double v) const {
  const double level = 20.0 * std::log10(v);
  return level > mThreshold ? Reduction(level) : 0.0;
}

double Compressor::LinearGain(double reduction) {
  const double y = reduction / -20.0;
  double g;
  if (!PowTenNearUnity(y, g)) {
    g = std::pow(10.0, y);
  }
  return g;
}

void Compressor::ClearNonFiniteState() {
  mEnvelope.ClearNonFiniteState(0.0);
  mMakeupSmoother.ClearNonFiniteState();
  if (!std::isfinite(mGainChange)) {
    mGainChange = 0.0;
  }
}
