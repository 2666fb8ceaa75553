#pragma once
// What the artwork shows of each equaliser band: its name, colour, column and the values of
// its three frequency and gain steps.

#include "LICE_Types.h"

#include <string>

namespace artgen {

struct Band {
  const char* name;
  const char* role;  // a few words on what the band does
  LICE_pixel accent;
  int left;               // x of the band's column (its bypass switch)
  double frequencies[3];  // Hz
  int gains[3];           // dB
  int bypassResource, freqResource, gainResource;
};

extern const Band kBands[3];

// "50 Hz", "2.5 kHz".
std::string FrequencyText(double hz);
// "+3 dB", "−12 dB" (with the font's minus sign).
std::string GainText(int db);

}  // namespace artgen
