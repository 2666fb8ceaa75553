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
    left = Tick(left, mLeft);
    right = Tick(right, mRight);
  }

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
  // The difference equation, accumulated in exactly this order, with tiny outputs flushed.
  double Tick(double x, Memory& m) const {
    double t = mB1 * m.x1 + mB0 * x;
    t = mB2 * m.x2 + t;
    t = t - mA1 * m.y1;
    const double y = FlushTiny(t - mA2 * m.y2);
    m.y2 = m.y1;
    m.y1 = y;
    m.x2 = m.x1;
    m.x1 = x;
    return y;
  }
};
