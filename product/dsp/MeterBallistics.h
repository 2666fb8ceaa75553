#pragma once
// MeterBallistics: how a meter turns the values it is fed into the level it shows. The
// product feeds two of them once per sample frame on the audio thread: the gain-reduction
// meter with the compressor's gain change (dB, ≤ 0), the output meter with the larger output
// magnitude. The meter control of the editor embeds one, reads the displayed level on its
// drawing thread, maps it to a frame of its strip, and after each drawing resets the held
// peak, so the output meter shows the loudest sample since the last redraw.
//
// Levels are in dB between the minimum level (-48) and 0. Upward moves are instant; downward
// moves decay with a 5000 ms release (k = -5, a time constant of 1 s).
//
// Threads: SetSampleRate and SetLevel run on the audio side under the plug-in lock.
// GetDisplayedLevel, GetFrame, GetHeldPeak and ResetHeldPeak may run on any thread at the
// same time: the displayed level and the held peak are relaxed atomics, written by SetLevel
// and read (or, for the held peak, reset) by the drawing code, with the same meaning as plain
// values. A reset that races with a new peak is not lost: SetLevel replaces the held peak
// only by compare-and-swap and re-reads it when the reset came first.

#include <atomic>
#include <cmath>

#include "EnvelopeFollower.h"

class MeterBallistics {
 public:
  static constexpr double kMinimumDb = -48.0;
  static constexpr double kMinimumLinear = 0.003981071705534973;  // 10^(-48/20)
  static constexpr double kReleaseMs = 5000.0;

  MeterBallistics();
  MeterBallistics(const MeterBallistics& other);
  MeterBallistics& operator=(const MeterBallistics& other);

  // Envelope rate (its state kept); displayed level and held peak back to the minimum.
  void SetSampleRate(double sampleRate);

  // Feeds one value. isGainChange: value is a compressor gain change in dB (≤ 0), shown as
  // minimum - value, so 0 dB of reduction rests at -48 and each dB of reduction raises the
  // level by one dB, without upper bound. Otherwise value is a sample whose magnitude is
  // held as the peak; the held peak, limited to the minimum and to 1.0, is shown in dB.
  void SetLevel(bool isGainChange, double value) {
    double x = isGainChange ? kMinimumDb - value : HeldPeakDb(value);
    mEnvelope.Process(x);
    mDisplayedLevel.store(x < kMinimumDb ? kMinimumDb : x, std::memory_order_relaxed);
  }

  // The same as `count` calls of SetLevel(true, gainChange); one store when the envelope is
  // settled at that level, since every call would then store the same displayed level.
  void SetGainChangeRepeatedly(double gainChange, int count) {
    const double x = kMinimumDb - gainChange;
    if (!mEnvelope.IsSettledAt(x)) {
      for (int i = 0; i < count; ++i) {
        SetLevel(true, gainChange);
      }
      return;
    }
    mDisplayedLevel.store(x < kMinimumDb ? kMinimumDb : x, std::memory_order_relaxed);
  }

  // Drawing side.
  double GetDisplayedLevel() const { return mDisplayedLevel.load(std::memory_order_relaxed); }
  double GetHeldPeak() const { return mHeldPeak.load(std::memory_order_relaxed); }
  // After each drawing: the held peak starts again from the minimum.
  void ResetHeldPeak() { mHeldPeak.store(kMinimumLinear, std::memory_order_relaxed); }
  // The 1-based frame of a strip of frameCount frames for the displayed level:
  // trunc((frameCount - 1) × (1 - level / minimum) + 0.5) + 1, limited to 1..frameCount.
  int GetFrame(int frameCount) const;

  // Restarts the level envelope from the minimum when its state became infinite or not a
  // number (only a gain change that overflowed can do that).
  void ClearNonFiniteState();

  const EnvelopeFollower& GetEnvelope() const { return mEnvelope; }

 private:
  // The held peak (at least the minimum, at most 1.0) in dB after taking in |value|. The
  // held peak always lies within those limits, so a magnitude not above it leaves it as it
  // is, and a held peak that did not change has the same logarithm as last time.
  double HeldPeakDb(double value) {
    const double held = mHeldPeak.load(std::memory_order_relaxed);
    if (std::fabs(value) > held) {
      return RaiseHeldPeak(std::fabs(value), held);
    }
    return held == mLastPeak ? mLastPeakDb : LevelOfPeak(held);
  }
  double RaiseHeldPeak(double magnitude, double held);
  double LevelOfPeak(double peak);

  std::atomic<double> mDisplayedLevel{kMinimumDb};  // dB
  std::atomic<double> mHeldPeak{kMinimumLinear};    // linear
  EnvelopeFollower mEnvelope;
  // The held peak whose logarithm was computed last, and that logarithm: a peak that did not
  // change has the same level, so most frames skip the logarithm.
  double mLastPeak = 0.0;
  double mLastPeakDb = 0.0;
};
