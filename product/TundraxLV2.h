// The LV2 library's product: Tundrax with its two meters as control outputs
// (TundraxMeterPorts.h).
//
// Gain reduction has the meter's ballistics: it rises at once and falls back with a 5 s release.
// The output level is the output's peak with the same ballistics. The output
// meter holds its peak until whoever displays it resets it; in the LV2 library that is the
// port itself, at a slow meter's redraw rate: after the first cycle that ends 100 ms or more
// after the last reset. So the port shows the loudest sample of the last 100 ms or so, falling
// back with the meter's release (a 1 s time constant, so the hold is not seen). Resetting after
// every cycle would look the same, but each rise of the held peak costs the meter a logarithm,
// and small cycles would make it rise anew each time. The LV2 UI shows the ports and resets
// nothing.
#pragma once

#include "product/Tundrax.h"
#include "product/TundraxMeterPorts.h"

class TundraxLV2 final : public Tundrax {
 public:
  explicit TundraxLV2(IPlugInstanceInfo instanceInfo) : Tundrax(instanceInfo) {}

  int NMeterPorts() const override { return kNumMeterPorts; }
  LV2MeterPort GetMeterPort(int idx) const override;
  float ReadMeterPort(int idx, uint32_t nFrames) override;

 private:
  static constexpr double kPeakHoldMs = 100.0;

  double mFramesSincePeakReset = 0.0;
};
