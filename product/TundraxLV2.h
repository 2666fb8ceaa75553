// The LV2 library's product: Tundrax with its two meters as control outputs.
//
// "gain_reduction" is the compressor's gain reduction in dB (0 when it does nothing), with the
// meter's ballistics: it rises at once and falls back with a 5 s release.
// "output_level" is the output's peak in dB (-48 to 0) with the same ballistics. The output
// meter holds its peak until whoever displays it resets it; in the LV2 library that is the
// port itself, so each cycle's value holds the loudest sample of that cycle (or the release
// from an earlier, louder one). An editor shown for the same instance must not also reset it.
#pragma once

#include "product/Tundrax.h"

class TundraxLV2 final : public Tundrax {
 public:
  enum EMeterPort { kGainReductionPort = 0, kOutputLevelPort, kNumMeterPorts };

  explicit TundraxLV2(IPlugInstanceInfo instanceInfo) : Tundrax(instanceInfo) {}

  int NMeterPorts() const override { return kNumMeterPorts; }
  LV2MeterPort GetMeterPort(int idx) const override;
  float ReadMeterPort(int idx) override;
};
