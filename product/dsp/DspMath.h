#pragma once
// Small arithmetic helpers shared by the DSP objects. Every object here computes in double
// precision, operation by operation (the build forbids fused multiply-adds), so that a plain
// transcription of the equations gives the same bits.

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>

#include <emmintrin.h>

// Per-sample states whose magnitude falls below this bound are flushed to zero, which keeps
// long silences free of slow denormal arithmetic. The bound is this decimal literal read as a
// double (the smallest normal single-precision value, as written).
inline constexpr double kFlushBound = 1.175494351e-38;

// 0 < v < bound or -bound < v < 0 becomes +0.0; zeros of either sign and everything else
// pass unchanged.
inline double FlushTiny(double v) {
  // Tested on the magnitude first: the rare branch holds the zero test.
  if (__builtin_expect(std::fabs(v) < kFlushBound, 0)) {
    return v == 0.0 ? v : 0.0;
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

// Two doubles processed lane by lane (left, right). Each lane's arithmetic is the same IEEE
// operation as on a scalar, so results are the same bits; the pair only halves the work.
// (SSE2, part of every x86-64 processor.)
using StereoPair = __m128d;

// FlushTiny on each lane.
inline StereoPair FlushTinyPair(StereoPair v) {
  const StereoPair magnitude = _mm_andnot_pd(_mm_set1_pd(-0.0), v);
  // Lanes with 0 < |v| < bound (false for zeros and not-a-number) become all bits clear,
  // which is +0.0.
  const StereoPair tiny = _mm_and_pd(_mm_cmplt_pd(magnitude, _mm_set1_pd(kFlushBound)),
                                     _mm_cmpneq_pd(v, _mm_setzero_pd()));
  return _mm_andnot_pd(tiny, v);
}

// A one-pole step whose target equals its state, x + (s - x)·c or (x - s)·c + s with a finite
// c ≥ 0, gives that common value v back bit for bit, unless v is -0.0 (the step yields +0.0),
// a value the flush would zero, or infinite (inf - inf gives not-a-number). Callers skip the
// arithmetic when this holds.
inline bool StepKeepsValue(double v) {
  const double magnitude = std::fabs(v);
  return (magnitude >= kFlushBound && magnitude <= DBL_MAX) || std::bit_cast<std::uint64_t>(v) == 0;
}
