#pragma once
// Amplitude of a steady sine in a signal, by a least-squares fit of sin and cos at the known
// frequency (exact for any window length, no need for whole periods).

#include <cmath>
#include <vector>

inline double SineAmplitude(const std::vector<double>& x, int start, double frequency,
                            double sampleRate) {
  const double w = 2.0 * 3.141592653589793 * frequency / sampleRate;
  double ss = 0, cc = 0, sc = 0, xs = 0, xc = 0;
  for (int n = start; n < static_cast<int>(x.size()); ++n) {
    const double s = std::sin(w * n);
    const double c = std::cos(w * n);
    ss += s * s;
    cc += c * c;
    sc += s * c;
    xs += x[n] * s;
    xc += x[n] * c;
  }
  const double det = ss * cc - sc * sc;
  const double a = (xs * cc - xc * sc) / det;
  const double b = (xc * ss - xs * sc) / det;
  return std::hypot(a, b);
}

inline std::vector<double> Sine(double frequency, double amplitude, double sampleRate, int frames) {
  std::vector<double> v(frames);
  for (int n = 0; n < frames; ++n) {
    v[n] = amplitude * std::sin(2.0 * 3.141592653589793 * frequency / sampleRate * n);
  }
  return v;
}

inline double ToDb(double ratio) { return 20.0 * std::log10(ratio); }
