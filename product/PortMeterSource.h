// What an editor meter reads in the LV2 UI: the last value the host sent of a meter port,
// shifted by a fixed offset into the meter's scale. The plug-in's own instance runs the
// ballistics and restarts its held peak itself, so the UI restarts nothing.
//
// Threads: SetPortValue on the host's UI thread, GetDisplayedLevel on the editor thread.
#pragma once

#include <atomic>

#include "controls/IMeterSource.h"

class PortMeterSource final : public IMeterSource {
 public:
  explicit PortMeterSource(double offsetDb = 0.0) : mOffsetDb(offsetDb) {}

  void SetPortValue(float value) {
    mLevel.store(static_cast<double>(value) + mOffsetDb, std::memory_order_relaxed);
  }
  double GetDisplayedLevel() const override { return mLevel.load(std::memory_order_relaxed); }
  void ResetHeldPeak() override {}

 private:
  const double mOffsetDb;
  std::atomic<double> mLevel{kMinimumDb};
};
