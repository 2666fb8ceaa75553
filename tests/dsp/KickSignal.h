#pragma once
// The generated kick (tools/kickgen) as a stereo test signal, scaled to a chosen peak. The right
// channel is the left at 0.94 so that the stereo link sees two different channels. The first
// hit starts after 50 ms of silence.

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/kickgen/KickSynth.h"

struct StereoSignal {
  std::vector<double> left;
  std::vector<double> right;
};

inline StereoSignal MakeKick(double sampleRate, double seconds, double peak = 0.9) {
  StereoSignal s{kickgen::synthesizeKicks(static_cast<int>(sampleRate), seconds), {}};
  double loudest = 0.0;
  for (double v : s.left) {
    loudest = std::max(loudest, std::fabs(v));
  }
  const double gain = loudest > 0.0 ? peak / loudest : 0.0;
  s.right.resize(s.left.size());
  for (std::size_t i = 0; i < s.left.size(); ++i) {
    s.left[i] *= gain;
    s.right[i] = 0.94 * s.left[i];
  }
  return s;
}
