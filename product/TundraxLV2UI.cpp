#include "TundraxLV2UI.h"

#include "product/TundraxURIs.h"

const char* const kPlugUIURI = kTundraxUIURI;

IPlugLV2UI* MakeUIPlug(IPlugInstanceInfo instanceInfo) { return new TundraxLV2UI(instanceInfo); }

void TundraxLV2UI::OnMeterPortEvent(int idx, float value) {
  if (idx == kGainReductionPort) mGainReduction.SetPortValue(value);
  if (idx == kOutputLevelPort) mOutputLevel.SetPortValue(value);
}
