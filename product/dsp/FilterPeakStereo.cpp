#include "FilterPeakStereo.h"

#include <cmath>

namespace {

bool HasSoundBell(double sampleRate, double frequency, double quality, double gain) {
  return std::isfinite(sampleRate) && std::isfinite(frequency) && std::isfinite(quality) &&
         std::isfinite(gain) && sampleRate > 0.0 && frequency > 0.0 &&
         frequency < sampleRate * 0.5 && quality > 0.0;
}

}  // namespace

void FilterPeakStereo::CalculateCoefficients() {
  if (!HasSoundBell(mSampleRate, mFrequency, mQuality, mGain)) {
    mB0 = 1.0;
    mB1 = mB2 = mA1 = mA2 = 0.0;
    return;
  }
  const double w0 = (mFrequency * 6.283185307179586) / mSampleRate;
  // ln(2)/2 rounded to single precision, used as it stands.
  const double s = std::sinh((1.0 / mQuality) * 0.3465735912322998);
  const double qPrime = 1.0 / (s + s);
  const double alpha = std::sin(w0) / (qPrime + qPrime);
  const double a = std::pow(10.0, mGain / 40.0);
  const double a0 = 1.0 + alpha / a;
  mB0 = (1.0 + a * alpha) / a0;
  mB1 = (-2.0 * std::cos(w0)) / a0;
  mA1 = mB1;
  mB2 = (1.0 - a * alpha) / a0;
  mA2 = (1.0 - alpha / a) / a0;
}
