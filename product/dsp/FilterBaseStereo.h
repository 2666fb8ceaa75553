#pragma once
// FilterBaseStereo: a stereo second-order (biquad) filter. Both channels share one set of
// settings and normalised coefficients; each channel has its own memory. A derived class
// turns the settings into coefficients in CalculateCoefficients, which every setter reaches
// through the virtual slot.
//
// Threads: the owner calls the setters (parameter and reset handlers) and Process (audio
// thread) under one lock; the object has none of its own. No operation allocates or fails.
//
// Until a setter has run all coefficients are 0, so an unbypassed filter outputs silence.

#include "DspMath.h"

class FilterBaseStereo {
 public:
  // Stores the rate, clears the memory of both channels, recomputes the coefficients.
  void SetSampleRate(double sampleRate);
  // Each stores its setting and recomputes the coefficients; the memory is kept, so the
  // change takes effect on the next sample without a click from cleared state.
  void SetFrequency(double frequency);
  void SetQ(double quality);
  void SetGain(double gainDb);
  // Stores the flag only. While set, Process leaves samples and memory untouched.
  void SetBypass(bool bypass) { mBypass = bypass; }

  virtual void CalculateCoefficients() = 0;

  // Filters one stereo pair in place: left fully, then right, with the same coefficients.
  void Process(double& left, double& right) {
    if (mBypass) {
      return;
    }
    const Coefficients c = GetCoefficients();
    left = Tick(c, left, mLeft);
    right = Tick(c, right, mRight);
  }

  // Process over n frames of interleaved left/right pairs, in place: the same arithmetic on
  // both channels at once (see StereoPair).
  void ProcessBlock(double* frames, int n);

  // Zeroes the memory of both channels if any of it is infinite or not a number (reached
  // only by overflow from samples near the largest double), so the filter cannot stay stuck.
  void ClearNonFiniteMemory();

  double GetSampleRate() const { return mSampleRate; }
  double GetFrequency() const { return mFrequency; }
  double GetQ() const { return mQuality; }
  double GetGain() const { return mGain; }
  bool GetBypass() const { return mBypass; }

 protected:
  FilterBaseStereo() = default;
  FilterBaseStereo(const FilterBaseStereo&) = default;
  FilterBaseStereo& operator=(const FilterBaseStereo&) = default;
  ~FilterBaseStereo() = default;

  // x[n-1], x[n-2], y[n-1], y[n-2] of one channel.
  struct Memory {
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
  };

  double mSampleRate = 44100.0;  // Hz
  double mFrequency = 1000.0;    // centre frequency, Hz
  double mQuality = 0.707;       // reciprocal of the bandwidth in octaves
  double mGain = 0.0;            // dB, positive boosts
  bool mBypass = false;
  double mA1 = 0.0;  // coefficients, already divided by a0
  double mA2 = 0.0;
  double mB0 = 0.0;
  double mB1 = 0.0;
  double mB2 = 0.0;
  Memory mLeft;
  Memory mRight;

 private:
  struct Coefficients {
    double b0, b1, b2, a1, a2;
  };

  // The difference equation, accumulated in exactly this order, with tiny outputs flushed.
  static double Tick(const Coefficients& c, double x, Memory& m) {
    double t = c.b1 * m.x1 + c.b0 * x;
    t = c.b2 * m.x2 + t;
    t = t - c.a1 * m.y1;
    const double y = FlushTiny(t - c.a2 * m.y2);
    m.y2 = m.y1;
    m.y1 = y;
    m.x2 = m.x1;
    m.x1 = x;
    return y;
  }

  Coefficients GetCoefficients() const { return {mB0, mB1, mB2, mA1, mA2}; }
};

inline void FilterBaseStereo::ProcessBlock(double* frames, int n) {
  if (mBypass) {
    return;
  }
  // Coefficients and both channels' memory in registers for the whole run.
  const StereoPair b0 = {mB0, mB0};
  const StereoPair b1 = {mB1, mB1};
  const StereoPair b2 = {mB2, mB2};
  const StereoPair a1 = {mA1, mA1};
  const StereoPair a2 = {mA2, mA2};
  StereoPair x1 = {mLeft.x1, mRight.x1};
  StereoPair x2 = {mLeft.x2, mRight.x2};
  StereoPair y1 = {mLeft.y1, mRight.y1};
  StereoPair y2 = {mLeft.y2, mRight.y2};
  // One frame of the difference equation; the memory shifts by renaming.
  auto tick = [&](StereoPair x, StereoPair xPrev, StereoPair xPrev2, StereoPair yPrev,
                  StereoPair yPrev2) {
    StereoPair t = b1 * xPrev + b0 * x;
    t = b2 * xPrev2 + t;
    t = t - a1 * yPrev;
    return FlushTinyPair(t - a2 * yPrev2);
  };
  // Two frames a round, so that the memory shifts without copies.
  int i = 0;
  for (; i + 1 < n; i += 2) {
    const StereoPair xa = _mm_loadu_pd(frames + 2 * i);
    const StereoPair xb = _mm_loadu_pd(frames + 2 * i + 2);
    const StereoPair ya = tick(xa, x1, x2, y1, y2);
    const StereoPair yb = tick(xb, xa, x1, ya, y1);
    _mm_storeu_pd(frames + 2 * i, ya);
    _mm_storeu_pd(frames + 2 * i + 2, yb);
    x2 = xa;
    x1 = xb;
    y2 = ya;
    y1 = yb;
  }
  if (i < n) {
    const StereoPair x = _mm_loadu_pd(frames + 2 * i);
    const StereoPair y = tick(x, x1, x2, y1, y2);
    _mm_storeu_pd(frames + 2 * i, y);
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
  }
  mLeft = {x1[0], x2[0], y1[0], y2[0]};
  mRight = {x1[1], x2[1], y1[1], y2[1]};
}
