// The product: a stereo VST2 effect for kick drums. Three switchable bell bands ("Warmth",
// "Boxiness", "Click"), each picking its frequency, gain and quality from three fixed steps,
// then a stereo-linked compressor with make-up gain and a 0 dBFS limiter.
//
// The binding creates one Tundrax per instance. Every hook runs under the base's mutex.
#pragma once

#include "vst2/IPlugVST.h"

class Tundrax : public IPlugVST {
 public:
  explicit Tundrax(IPlugInstanceInfo instanceInfo);

 private:
  void InitParameters();
  void MakeFactoryPresets();
};
