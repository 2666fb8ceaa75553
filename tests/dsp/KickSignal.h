#pragma once
// A synthetic kick drum for tests and benchmarks: a sine burst whose pitch falls from 160 Hz
// to 48 Hz within a few tens of milliseconds, with an exponential decay and a short bright
// click at the onset, repeated at 120 beats per minute. Deterministic.

#include <cmath>
#include <vector>

struct StereoSignal {
  std::vector<double> left;
  std::vector<double> right;
};

inline StereoSignal MakeKick(double sampleRate, double seconds, double peak = 0.9) {
  const double pi = 3.141592653589793;
  const int frames = static_cast<int>(sampleRate * seconds);
  const int interval = static_cast<int>(sampleRate * 0.5);
  StereoSignal s{std::vector<double>(frames), std::vector<double>(frames)};
  double phase = 0.0;
  for (int i = 0; i < frames; ++i) {
    const int sinceHit = i % interval;
    if (sinceHit == 0) {
      phase = 0.0;
    }
    const double t = sinceHit / sampleRate;
    const double pitch = 48.0 + 112.0 * std::exp(-t / 0.035);
    phase += 2.0 * pi * pitch / sampleRate;
    const double body = std::sin(phase) * std::exp(-t / 0.28);
    const double click = 0.35 * std::sin(2.0 * pi * 3300.0 * t) * std::exp(-t / 0.0015);
    const double v = peak * (0.8 * body + click);
    s.left[i] = v;
    s.right[i] = 0.94 * v;
  }
  return s;
}
