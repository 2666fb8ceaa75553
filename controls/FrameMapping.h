// Which frame of an N-frame strip shows a normalised value: frame k + 1 covers the values
// within half a step of k / (N - 1), so the first and last frames cover half a step each.
// Every bitmap control (switches, multi-frame knobs, meters) draws through this one rule.
#pragma once

// 1-based: trunc((N - 1) * v + 0.5) + 1, limited to 1..N; 1 for N < 2 and for a value that is
// not a number.
inline int FrameForValue(int nFrames, double value) {
  if (nFrames < 2) return 1;
  const double i = static_cast<double>(nFrames - 1) * value + 0.5;
  if (!(i >= 1.0)) return 1;  // also catches a value that is not a number
  if (i >= static_cast<double>(nFrames)) return nFrames;
  return static_cast<int>(i) + 1;
}
