// The LV2 UI library's product: Tundrax's editor in an instance of its own, its meters showing
// the plug-in's meter ports.
#pragma once

#include "product/PortMeterSource.h"
#include "product/Tundrax.h"
#include "product/TundraxMeterPorts.h"

// The meters' sources, a base constructed before Tundrax builds the editor that reads them.
struct TundraxPortMeters {
  PortMeterSource mGainReduction{IMeterSource::kMinimumDb};
  PortMeterSource mOutputLevel;
};

class TundraxLV2UI final : private TundraxPortMeters, public Tundrax {
 public:
  explicit TundraxLV2UI(IPlugInstanceInfo instanceInfo)
      : TundraxPortMeters(), Tundrax(instanceInfo, &mGainReduction, &mOutputLevel) {}

  int NMeterPorts() const override { return kNumMeterPorts; }
  void OnMeterPortEvent(int idx, float value) override;
};
