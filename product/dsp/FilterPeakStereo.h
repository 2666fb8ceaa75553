#pragma once
// FilterPeakStereo: the bell (peaking) band of the kick processor. It boosts or cuts the
// region around the centre frequency by the gain in dB; the quality is the reciprocal of the
// bandwidth in octaves. The product holds three of these by value ("Warmth", "Boxiness",
// "Click") and drives them from its reset and parameter handlers; see FilterBaseStereo for
// threads and processing.

#include "FilterBaseStereo.h"

class FilterPeakStereo final : public FilterBaseStereo {
 public:
  // Peaking-filter coefficients from frequency, gain, quality and sample rate.
  //
  // Settings for which the equations give no sound filter make the band an identity
  // (b0 = 1, all other coefficients 0), which passes the signal unchanged:
  // - a centre frequency at or above half the sample rate: at exactly half the rate the
  //   equations collapse to numerator = denominator with a double pole on the unit circle
  //   (an identity in exact arithmetic, fragile in practice), and above it the bell would
  //   turn its bandwidth negative, putting the poles outside the unit circle;
  // - a centre frequency of 0 or below (a double pole at DC);
  // - a quality of 0 or below (division by zero, or a negative bandwidth);
  // - a sample rate of 0 or below (no frequency axis at all);
  // - any setting that is infinite or not a number.
  // Every setting inside the valid range gets the equations exactly as written.
  void CalculateCoefficients() override;
};
