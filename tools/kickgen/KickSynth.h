// A kick-drum-like test signal, the same every run: a sine burst whose pitch falls from 150 Hz
// to 45 Hz with an exponentially decaying amplitude, plus a short noise click at the attack.
// One hit every half second (120 BPM), with changing strengths so a compressor sees loud and
// soft hits; the whole signal is scaled to a peak of -3 dBFS.
#pragma once

#include <vector>

namespace kickgen {

constexpr double kPeakDbfs = -3.0;
constexpr double kHitInterval = 0.5;  // seconds between hits

// Mono samples, `seconds` long at `sampleRate`.
std::vector<double> synthesizeKicks(int sampleRate, double seconds);

}  // namespace kickgen
