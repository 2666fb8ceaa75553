#pragma once
// The value the math library's pow(10, y) returns, found without calling it, for the small
// negative exponents of a compressor's gain reduction fading out (10^(reduction / -20)).
//
// Why the result is the same bits: the library's pow is accurate to 0.52 units in the last
// place (ulp) of the exact result. For -2^-7/ln 10 ≤ y < 0 the exact X = 10^y lies in
// (0.992, 1), where doubles are 2^-53 apart. We approximate X by the series of e^t, t = y·ln 10,
// find the nearest double D and the distance d = X - D, and keep an upper bound E of every
// error in that (rounding of t, of the series sum, its truncation). When |d| + E < 0.45·2^-53,
// every other double is more than 0.55 ulp from X, so D is the only result pow can give.
// Otherwise (X too close to a rounding boundary, about one case in eight) the caller calls
// pow. The tests compare this against pow over millions of exponents.

#include <cmath>

// Exponents from here to 0 are handled.
inline constexpr double kPowTenNearUnityMinExponent = -0.0078125 / 2.302585092994046;

// Sets result to pow(10, y) and returns true when that is proven; false to ask for pow.
inline bool PowTenNearUnity(double y, double& result) {
  if (!(y >= kPowTenNearUnityMinExponent && y <= 0.0)) {
    return false;
  }
  const double t = y * 2.302585092994046;  // |t| ≤ 2^-7; relative error ≤ 2^-52
  // e^t - 1 - t by Horner; the first omitted term t^7/7! is below 2^-61.
  const double q =
      t * t * (0.5 + t * (1.0 / 6 + t * (1.0 / 24 + t * (1.0 / 120 + t * (1.0 / 720)))));
  const double s = t + q;           // X - 1, rounded: error ≤ |s|·2^-53
  const double d0 = 1.0 + s;        // the candidate
  const double d = (1.0 - d0) + s;  // X - candidate; 1 - d0 is exact
  // Errors: |t|·2^-52 from t (carried into X nearly unchanged), |s|·2^-53 from the sum,
  // 2^-60 for the series' rounding and truncation together.
  const double errorBound = std::fabs(t) * 0x1p-52 + std::fabs(s) * 0x1p-53 + 0x1p-60;
  if (std::fabs(d) + errorBound < 0.45 * 0x1p-53) {
    result = d0;
    return true;
  }
  return false;
}
