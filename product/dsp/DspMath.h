#pragma once
// Small arithmetic helpers shared by the DSP objects. Every object here computes in double
// precision, operation by operation (the build forbids fused multiply-adds), so that a plain
// transcription of the equations gives the same bits.

#include <cmath>

// Per-sample states whose magnitude falls below this bound are flushed to zero, which keeps
// long silences free of slow denormal arithmetic. The bound is this decimal literal read as a
// double (the smallest normal single-precision value, as written).
inline constexpr double kFlushBound = 1.175494351e-38;

// 0 < v < bound or -bound < v < 0 becomes +0.0; zeros of either sign and everything else
// pass unchanged.
inline double FlushTiny(double v) {
  if (std::fabs(v) < kFlushBound && v != 0.0) {
    return 0.0;
  }
  return v;
}

// The per-sample factor exp(k / denominator) of the one-pole ballistics, where the caller
// forms the denominator from a time in ms and the sample rate in its own documented order.
// A time of 0 gives a denominator of 0 and the factor 0 (an instant move). A negative or
// not-a-number denominator (negative time or sample rate, or a rate of 0 with an infinite
// time) would give a factor above 1 or not a number, a state that grows without bound or
// sticks; it is treated like a time of 0. For every positive denominator the result is
// exactly exp(k / denominator).
inline double DecayCoefficient(double k, double denominator) {
  return denominator > 0.0 ? std::exp(k / denominator) : 0.0;
}
