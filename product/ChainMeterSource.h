// What an editor meter reads of one of the chain's meter ballistics. The chain owns the
// ballistics and feeds them on the audio thread; the meter control reads the displayed level
// and restarts the held peak on the editor thread (both atomic in MeterBallistics).
#pragma once

#include "controls/IMeterSource.h"
#include "product/dsp/MeterBallistics.h"

class ChainMeterSource final : public IMeterSource {
 public:
  explicit ChainMeterSource(MeterBallistics& meter) : mMeter(meter) {}

  double GetDisplayedLevel() const override { return mMeter.GetDisplayedLevel(); }
  void ResetHeldPeak() override { mMeter.ResetHeldPeak(); }

 private:
  MeterBallistics& mMeter;
};
