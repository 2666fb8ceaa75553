#pragma once
// Compressor: the kick processor's stereo-linked compressor. A level detector (mean of both
// magnitudes, or the left one, in dB), a hard-knee gain computer (threshold, ratio), an
// attack/release envelope on the gain reduction, and a make-up gain smoothed over 20 ms.
// Both channels always receive the same gain.
//
// Threads: the product calls the setters from its parameter and reset handlers and Process
// from the audio thread, all under the plug-in lock; the object has no lock of its own.
// GetGainChange is read on the audio thread right after Process to feed the gain-reduction
// meter. Plain value; no allocation.
//
// Process gives the bits of the plain equations while skipping the transcendental calls
// whose results are known:
// - The level 20·log10(v) only decides "above the threshold or not" unless it is above.
//   SetThreshold precomputes a linear bound 10^(threshold/20)·(1 - 1e-9); any v at or below
//   it is below the threshold in true arithmetic by at least 8.7e-9 dB, far more than the
//   few units in the last place the computed level can be off, so the computed level is not
//   above either. Only v above the bound (a hair below the threshold, or above it) computes
//   the logarithm and decides exactly as written.
// - 10^(reduction/-20) is exactly 1 for a reduction of 0 (10^-0). While a reduction fades
//   out below about 0.068 dB, PowTenNearUnity finds pow's result without calling it.
// - Most of the time nothing is compressed: ProcessIfIdle recognises a run of frames in
//   which every Process would find no reduction, leave the envelope at rest and return the
//   settled make-up gain, and only multiplies the samples by that gain.

#include <cmath>

#include "EnvelopeFollower.h"
#include "OnePoleSmoother.h"

class Compressor {
 public:
  static constexpr double kFloorDb = -96.0;  // the level when nothing is detected
  static constexpr double kMakeupTimeMs = 20.0;

  Compressor();

  // Envelope rate (its state kept), then smoother rate (its state restarts from 0).
  void SetSampleRate(double sampleRate);
  // A ratio that is not above 0 (or not a number) would divide by zero or turn the curve
  // upside down into an ever-growing gain; it is stored as 1 (no compression).
  void SetRatio(double ratio);
  void SetThreshold(double thresholdDb);
  void SetAttack(double ms) { mEnvelope.SetAttack(ms); }
  void SetRelease(double ms) { mEnvelope.SetRelease(ms); }
  void SetMakeupGain(double gainDb);

  // Compresses one stereo pair in place. detectionMode 2 detects the mean of both
  // magnitudes, 1 the left magnitude only; any other mode detects nothing (-96 dB).
  void Process(double& left, double& right, int detectionMode) {
    double reduction = 0.0;
    double v = 0.0;
    if (DetectedMagnitude(left, right, detectionMode, v) && v > 0.0) {
      if (v > mBelowThresholdBound) {
        reduction = ReductionAtMagnitude(v);
      }
    } else if (mFloorAboveThreshold) {
      reduction = Reduction(kFloorDb);
    }
    mEnvelope.Process(reduction);
    mGainChange = -reduction;
    const double g = reduction == 0.0 ? 1.0 : LinearGain(reduction);
    double m = mMakeupGain;
    mMakeupSmoother.Process(m);
    const double gain = g * m;
    left = left * gain;
    right = right * gain;
  }

  // n interleaved pairs in place, when that gives what n Process calls would give while
  // finding no reduction: no magnitude above the threshold bound (or the floor above the
  // threshold), the envelope at 0 and the make-up smoother at rest (see KeepsStateAt). Then each
  // sample is multiplied by the make-up gain (1.0 · gain is the gain itself), the gain change
  // is -0.0, and true is returned; otherwise nothing changes and false is returned.
  bool ProcessIfIdle(double* frames, int n, int detectionMode) {
    if (mFloorAboveThreshold || mEnvelope.GetState() != 0.0 ||
        !mMakeupSmoother.KeepsStateAt(mMakeupGain)) {
      return false;
    }
    for (int i = 0; i < n; ++i) {
      double v;
      if (DetectedMagnitude(frames[2 * i], frames[2 * i + 1], detectionMode, v) &&
          v > mBelowThresholdBound) {
        return false;
      }
    }
    const StereoPair gain = _mm_set1_pd(mMakeupSmoother.GetState());
    for (int i = 0; i < n; ++i) {
      _mm_storeu_pd(frames + 2 * i, _mm_loadu_pd(frames + 2 * i) * gain);
    }
    mGainChange = -0.0;
    return true;
  }

  // The gain applied by the last Process, in dB (0 or below for ratios of 1 or more).
  double GetGainChange() const { return mGainChange; }

  // Restarts the envelope (from no reduction) and the make-up smoother (from 0) when their
  // states became infinite or not a number, which only overflow can cause.
  void ClearNonFiniteState();

  double GetRatio() const { return mRatio; }
  double GetThreshold() const { return mThreshold; }
  double GetMakeupGain() const { return mMakeupGain; }
  const EnvelopeFollower& GetEnvelope() const { return mEnvelope; }
  const OnePoleSmoother& GetMakeupSmoother() const { return mMakeupSmoother; }

 private:
  static bool DetectedMagnitude(double left, double right, int mode, double& v) {
    if (mode == 2) {
      v = (std::fabs(left) + std::fabs(right)) * 0.5;
      return true;
    }
    if (mode == 1) {
      v = std::fabs(left);
      return true;
    }
    return false;
  }

  // The rarer steps, out of line: 20·log10(v) and its reduction (0 unless above the
  // threshold), and 10^(reduction / -20) for a reduction other than 0.
  double ReductionAtMagnitude(double v) const;
  static double LinearGain(double reduction);

  double Reduction(double level) const {
    const double over = level - mThreshold;
    return over - over / mRatio;
  }

  double mRatio = 1.0;
  double mThreshold = 0.0;   // dBFS
  double mMakeupGain = 1.0;  // linear target
  double mGainChange = 0.0;  // dB
  EnvelopeFollower mEnvelope;
  OnePoleSmoother mMakeupSmoother;
  // Derived from the threshold for the shortcut above.
  double mBelowThresholdBound = 0.0;
  bool mFloorAboveThreshold = false;  // kFloorDb > threshold
};
