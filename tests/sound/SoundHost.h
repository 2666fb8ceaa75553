// What the sound tests share: real parameter values sent as a host sends them, a configured
// instance, test signals, and tone measurement over whole periods.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/e2e/TundraxPlugin.h"

namespace sound {

using e2e::normalisedFor;
using e2e::render;
using e2e::Signal;

enum Param {
  kBypassWarmth = 0,
  kWarmthFrequency = 3,
  kRatio = 12,
  kThresholdDepth = 13,  // 0..48 means a threshold of 0..-48 dBFS
  kAttack = 14,
  kRelease = 15,
  kMakeup = 16,
};

// Sends the normalised value for `real` through setParameter; returns the real value the
// plug-in now holds (the float the host sends rounds it a little).
double setReal(host::PluginInstance& plugin, int param, double real);
double realValue(host::PluginInstance& plugin, int param);

// An opened instance at `sampleRate` with every band bypassed and ratio 1: the chain is the
// make-up gain and the limiter only.
std::unique_ptr<host::PluginInstance> openBypassed(double sampleRate = 48000.0);

// The same mono samples on `channels` channels.
Signal onChannels(const std::vector<double>& samples, int channels = 2);

// Complex amplitude of the tone at `frequency` in x[start .. start + count), a single DFT bin.
// Exact when the window holds a whole number of periods of every tone in the signal.
double toneAmplitude(const std::vector<double>& x, std::size_t start, std::size_t count,
                     double frequency, double sampleRate);

// A square wave of `amplitude` switching sign every `halfPeriod` samples: its magnitude never
// changes, so a level detector sees a steady level from the first sample.
std::vector<double> squareWave(double amplitude, std::size_t frames, std::size_t halfPeriod = 50);

// A loud kick-like test signal at `sampleRate`: kicks peaking at `peakDbfs`, then full-band
// noise at the same peak, `frames` long.
std::vector<double> loudKickAndNoise(int sampleRate, std::size_t frames, double peakDbfs,
                                     uint32_t seed);
// Two channels that differ: that signal on the left, reversed and scaled by `rightGain` on the
// right.
Signal loudStereo(int sampleRate, std::size_t frames, double peakDbfs, uint32_t seed,
                  double rightGain);

double toDb(double ratio);

}  // namespace sound
