#include "LimiterStereo.h"

#include <algorithm>
#include <cmath>

double LimiterStereo::GainAbove(double peakL, double peakR) {
  const double dbL = PeakFollowerStereo::LevelDb(peakL);
  const double dbR = PeakFollowerStereo::LevelDb(peakR);
  const double over = kThresholdDb - std::max(dbR, dbL);
  return std::pow(10.0, std::min(0.0, over) / 20.0);
}
