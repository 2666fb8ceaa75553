#include "FilterBaseStereo.h"

#include <cmath>

void FilterBaseStereo::SetSampleRate(double sampleRate) {
  mSampleRate = sampleRate;
  mLeft = Memory();
  mRight = Memory();
  CalculateCoefficients();
}

void FilterBaseStereo::SetFrequency(double frequency) {
  mFrequency = frequency;
  CalculateCoefficients();
}

void FilterBaseStereo::SetQ(double quality) {
  mQuality = quality;
  CalculateCoefficients();
}

void FilterBaseStereo::SetGain(double gainDb) {
  mGain = gainDb;
  CalculateCoefficients();
}

void FilterBaseStereo::ClearNonFiniteMemory() {
  const double sum =
      mLeft.x1 + mLeft.x2 + mLeft.y1 + mLeft.y2 + mRight.x1 + mRight.x2 + mRight.y1 + mRight.y2;
  // The sum of finite values can itself overflow; that case clears too, harmlessly.
  if (!std::isfinite(sum)) {
    mLeft = Memory();
    mRight = Memory();
  }
}
