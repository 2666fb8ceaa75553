#include "TundraxLV2.h"

#include <lv2/units/units.h>

#include "product/TundraxURIs.h"

const char* const kPlugURI = kTundraxURI;

IPlugLV2* MakePlug(IPlugInstanceInfo instanceInfo) { return new TundraxLV2(instanceInfo); }

LV2MeterPort TundraxLV2::GetMeterPort(int idx) const {
  constexpr double kRange = -MeterBallistics::kMinimumDb;
  if (idx == kGainReductionPort) {
    return {"gain_reduction", "Gain reduction", 0.0, kRange, LV2_UNITS__db};
  }
  return {"output_level", "Output level", -kRange, 0.0, LV2_UNITS__db};
}

float TundraxLV2::ReadMeterPort(int idx, uint32_t nFrames) {
  if (idx == kGainReductionPort) {
    // The meter shows the reduction above its minimum level.
    return static_cast<float>(Chain().GetGainReductionMeter().GetDisplayedLevel() -
                              MeterBallistics::kMinimumDb);
  }
  MeterBallistics& meter = Chain().GetOutputMeter();
  const double level = meter.GetDisplayedLevel();
  mFramesSincePeakReset += nFrames;
  if (mFramesSincePeakReset >= GetSampleRate() * kPeakHoldMs / 1000.0) {
    meter.ResetHeldPeak();
    mFramesSincePeakReset = 0.0;
  }
  return static_cast<float>(level);
}
