// What the band parameters' steps mean, as texts for a host that lists them by name: "50 Hz",
// "2.5 kHz", "+3 dB", "-8 dB", "Q 2".
#pragma once

#include <string>

// The text for step 0..2 of parameter idx; empty when idx is not a band step parameter (3..11)
// or the step is out of range.
std::string TundraxStepLabel(int idx, int step);
