// Each bell band through the host interface, at every step of its frequency, gain and quality
// tables: steady tones at the centre frequency and one octave either side come out with the
// gain of the analytic biquad response |H(e^jw)| of the band's coefficient equations, and
// the centre tone with exactly the step's gain.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "tests/sound/SoundHost.h"

namespace {

using namespace sound;

struct BandTable {
  const char* name;
  double frequency[3];  // Hz
  double gain[3];       // dB
  double quality[3];
};

const BandTable kBands[3] = {
    {"Warmth", {50, 90, 130}, {3, 6, 9}, {1, 2, 4}},
    {"Boxiness", {180, 300, 420}, {-4, -8, -12}, {1, 2, 4}},
    {"Click", {1000, 2500, 4000}, {3, 6, 9}, {1, 2, 4}},
};

// |H(e^jw)| in dB at `frequency` of the peaking biquad for these settings.
double analyticDb(double centre, double gainDb, double quality, double fs, double frequency) {
  const double w0 = (centre * 6.283185307179586) / fs;
  const double s = std::sinh((1.0 / quality) * 0.3465735912322998);
  const double qPrime = 1.0 / (s + s);
  const double alpha = std::sin(w0) / (qPrime + qPrime);
  const double a = std::pow(10.0, gainDb / 40.0);
  const double a0 = 1.0 + alpha / a;
  const double b0 = (1.0 + a * alpha) / a0;
  const double b1 = (-2.0 * std::cos(w0)) / a0;
  const double b2 = (1.0 - a * alpha) / a0;
  const double a1 = b1;
  const double a2 = (1.0 - alpha / a) / a0;
  const std::complex<double> z1 = std::polar(1.0, -2.0 * std::numbers::pi * frequency / fs);
  const std::complex<double> z2 = z1 * z1;
  return toDb(std::abs((b0 + b1 * z1 + b2 * z2) / (1.0 + a1 * z1 + a2 * z2)));
}

constexpr double kToneAmplitude = 0.05;  // three tones, +9 dB at most: far below the ceiling

// Runs every gain and quality step of every frequency step of one band at `rate`, checking
// each tone; returns the largest deviation from the analytic response in dB.
double checkBand(int band, int rate) {
  const BandTable& table = kBands[band];
  const auto fs = static_cast<double>(rate);
  // One second lets the narrowest, lowest bell (50 Hz, quality 4) decay its start-up transient
  // far below the tolerance; 0.2 s holds whole periods of every tone used (multiples of 5 Hz).
  const auto settle = static_cast<std::size_t>(rate);
  const auto window = static_cast<std::size_t>(rate / 5);
  auto plugin = e2e::openTundrax();
  plugin->setSampleRate(fs);
  for (int b = 0; b < 3; ++b) plugin->setParameter(kBypassWarmth + b, b == band ? 0.0f : 1.0f);
  plugin->setParameter(kRatio, 0.0f);  // ratio 1: the compressor never acts
  EXPECT_EQ(realValue(*plugin, kRatio), 1.0);
  const int firstStep = kWarmthFrequency + 3 * band;
  double worst = 0.0;
  for (int f = 0; f < 3; ++f) {
    const double centre = table.frequency[f];
    // An octave above the Click band's top step lies past Nyquist at 11025 Hz.
    std::vector<double> tones = {centre / 2, centre, centre * 2};
    if (tones.back() >= fs / 2) tones.pop_back();
    std::vector<double> in(settle + window);
    for (std::size_t n = 0; n < in.size(); ++n) {
      for (std::size_t t = 0; t < tones.size(); ++t) {
        const double phase = 2.0 * std::numbers::pi * tones[t] / fs * static_cast<double>(n) +
                             static_cast<double>(t);
        in[n] += kToneAmplitude * std::sin(phase);
      }
    }
    const Signal stereo = onChannels(in);
    for (int g = 0; g < 3; ++g) {
      for (int q = 0; q < 3; ++q) {
        // Steps go in as a host sends them: step / 2 selects step 0, 1 or 2.
        setReal(*plugin, firstStep, f);
        setReal(*plugin, firstStep + 1, g);
        setReal(*plugin, firstStep + 2, q);
        plugin->suspend();  // clears the band's memory
        plugin->resume();
        const Signal out = render(*plugin, host::Precision::Double, stereo);
        EXPECT_EQ(out[0], out[1]);
        for (double tone : tones) {
          SCOPED_TRACE(testing::Message() << table.name << " at " << centre << " Hz, "
                                          << table.gain[g] << " dB, quality " << table.quality[q]
                                          << ", tone " << tone << " Hz, rate " << rate << " Hz");
          const double measured = toDb(toneAmplitude(out[0], settle, window, tone, fs) /
                                       toneAmplitude(in, settle, window, tone, fs));
          const double expected = analyticDb(centre, table.gain[g], table.quality[q], fs, tone);
          worst = std::max(worst, std::fabs(measured - expected));
          EXPECT_NEAR(measured, expected, 0.01);
          // At the centre the bell gives exactly the step's gain, whatever the quality.
          if (tone == centre) {
            EXPECT_NEAR(measured, table.gain[g], 0.01);
          }
        }
      }
    }
  }
  return worst;
}

TEST(BandResponse, EveryStepOfEveryBandMatchesTheAnalyticBell) {
  for (int rate : {44100, 48000}) {
    for (int band = 0; band < 3; ++band) {
      std::printf("%s at %d Hz: largest deviation from the analytic response %.3g dB\n",
                  kBands[band].name, rate, checkBand(band, rate));
    }
  }
}

// At 11025 Hz the Click band's 4000 Hz step is still below Nyquist: a real, stable bell.
TEST(BandResponse, ClickTopStepAt11025HzIsAStableBell) {
  std::printf("Click at 11025 Hz: largest deviation from the analytic response %.3g dB\n",
              checkBand(2, 11025));
}

}  // namespace
