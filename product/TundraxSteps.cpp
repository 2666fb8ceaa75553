#include "TundraxSteps.h"

#include <cstdio>

#include "TundraxParams.h"
#include "product/dsp/KickChain.h"

std::string TundraxStepLabel(int idx, int step) {
  if (idx < kWarmthFrequency || idx > kClickQuality || step < 0 || step >= KickChain::kNumSteps) {
    return "";
  }
  const int band = (idx - kWarmthFrequency) / 3;
  const auto kind = static_cast<KickChain::StepKind>((idx - kWarmthFrequency) % 3);
  const double setting = KickChain::StepSetting(band, kind, step);
  char text[32];
  switch (kind) {
    case KickChain::kFrequencyStep:
      if (setting >= 1000.0) {
        std::snprintf(text, sizeof text, "%g kHz", setting / 1000.0);
      } else {
        std::snprintf(text, sizeof text, "%g Hz", setting);
      }
      break;
    case KickChain::kGainStep:
      std::snprintf(text, sizeof text, "%+g dB", setting);
      break;
    case KickChain::kQualityStep:
      std::snprintf(text, sizeof text, "Q %g", setting);
      break;
  }
  return text;
}
