#include "MeterBallistics.h"

#include <cmath>

MeterBallistics::MeterBallistics() {
  mEnvelope.SetAttack(0.0);
  mEnvelope.SetRelease(kReleaseMs);
  mEnvelope.SetState(kMinimumDb);
}

MeterBallistics::MeterBallistics(const MeterBallistics& other)
    : mDisplayedLevel(other.GetDisplayedLevel()),
      mHeldPeak(other.GetHeldPeak()),
      mEnvelope(other.mEnvelope),
      mLastPeak(other.mLastPeak),
      mLastPeakDb(other.mLastPeakDb) {}

MeterBallistics& MeterBallistics::operator=(const MeterBallistics& other) {
  mDisplayedLevel.store(other.GetDisplayedLevel(), std::memory_order_relaxed);
  mHeldPeak.store(other.GetHeldPeak(), std::memory_order_relaxed);
  mEnvelope = other.mEnvelope;
  mLastPeak = other.mLastPeak;
  mLastPeakDb = other.mLastPeakDb;
  return *this;
}

void MeterBallistics::SetSampleRate(double sampleRate) {
  mEnvelope.SetSampleRate(sampleRate);
  mDisplayedLevel.store(kMinimumDb, std::memory_order_relaxed);
  mHeldPeak.store(kMinimumLinear, std::memory_order_relaxed);
}

double MeterBallistics::RaiseHeldPeak(double magnitude, double held) {
  double p;
  for (;;) {
    p = magnitude > held ? magnitude : held;
    if (kMinimumLinear >= p) {
      p = kMinimumLinear;
    } else if (p >= 1.0) {
      p = 1.0;
    }
    // On failure `held` is the value the drawing side stored meanwhile: start from it.
    if (p == held || mHeldPeak.compare_exchange_weak(held, p, std::memory_order_relaxed)) {
      break;
    }
  }
  return p == mLastPeak ? mLastPeakDb : LevelOfPeak(p);
}

double MeterBallistics::LevelOfPeak(double peak) {
  mLastPeak = peak;
  mLastPeakDb = 20.0 * std::log10(peak);
  return mLastPeakDb;
}

int MeterBallistics::GetFrame(int frameCount) const {
  const double position = (frameCount - 1) * (1.0 - GetDisplayedLevel() / kMinimumDb) + 0.5;
  // Compared before converting, so levels far out of range (or not a number) stay defined.
  if (!(position >= 1.0)) {
    return 1;
  }
  if (position >= frameCount) {
    return frameCount;
  }
  return static_cast<int>(position) + 1;
}

void MeterBallistics::ClearNonFiniteState() {
  mEnvelope.ClearNonFiniteState(kMinimumDb);
  if (!std::isfinite(GetDisplayedLevel())) {
    mDisplayedLevel.store(kMinimumDb, std::memory_order_relaxed);
  }
}
