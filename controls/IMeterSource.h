// What a meter control reads: the level state that the plug-in's processing feeds on the
// audio thread. The processing owns it; the control holds a plain pointer.
//
// Threads: both operations are called on the editor thread while the audio thread feeds the
// state, so implementations keep the displayed level and the held peak in atomics and never
// block.
#pragma once

class IMeterSource {
 public:
  // Levels are in dB from this minimum (the meter's bottom) up to 0 dB (its top) and beyond.
  static constexpr double kMinimumDb = -48.0;

  virtual ~IMeterSource() = default;
  virtual double GetDisplayedLevel() const = 0;
  // The meter has shown the level: the peak held since then starts again from the minimum.
  virtual void ResetHeldPeak() = 0;
};
