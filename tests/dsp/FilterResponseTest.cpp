// The bell bands measured with steady sines against the analytic response of the biquad the
// equations define, at every step of every band's tables; and the filter's basic contract.

#include <gtest/gtest.h>

#include <complex>
#include <vector>

#include "FilterPeakStereo.h"
#include "KickChain.h"
#include "SineFit.h"
#include "reference/ReferenceDsp.h"

namespace {

struct StepTable {
  double frequency[3];
  double gain[3];
  double quality[3];
};
// The product's step tables, as the user sees them.
const StepTable kSteps[3] = {
    {{50, 90, 130}, {3, 6, 9}, {1, 2, 4}},
    {{180, 300, 420}, {-4, -8, -12}, {1, 2, 4}},
    {{1000, 2500, 4000}, {3, 6, 9}, {1, 2, 4}},
};

double AnalyticDb(const ref::PeakFilter& f, double frequency) {
  const std::complex<double> z1 =
      std::polar(1.0, -2.0 * 3.141592653589793 * frequency / f.sampleRate);
  const std::complex<double> z2 = z1 * z1;
  return ToDb(std::abs((f.b0 + f.b1 * z1 + f.b2 * z2) / (1.0 + f.a1 * z1 + f.a2 * z2)));
}

// Gain in dB of the chain for a -20 dBFS sine, with only `band` active, no compression (ratio
// 1), the limiter idle and the make-up fade-in long settled.
double MeasuredDb(int band, int f, int g, int q, double sampleRate, double frequency) {
  KickChain chain;
  for (int b = 0; b < 3; ++b) {
    chain.SetBandBypass(b, b == band ? 0.0 : 1.0);
  }
  chain.SetBandFrequency(band, f);
  chain.SetBandGain(band, g);
  chain.SetBandQuality(band, q);
  chain.SetCompressorParams(KickChain::kRatioParam, 1.0, 0.0, 10.0, 50.0, 0.0);
  chain.Reset(sampleRate);
  const int settle = static_cast<int>(sampleRate);
  const int frames = settle + static_cast<int>(sampleRate / 4);
  const std::vector<double> in = Sine(frequency, 0.1, sampleRate, frames);
  std::vector<double> outL(frames), outR(frames);
  chain.Process(in.data(), in.data(), outL.data(), outR.data(), frames, 2);
  EXPECT_EQ(outL, outR);
  return ToDb(SineAmplitude(outL, settle, frequency, sampleRate) / 0.1);
}

TEST(FilterResponse, EveryStepOfEveryBandMatchesTheAnalyticBell) {
  const double fs = 44100;
  for (int band = 0; band < 3; ++band) {
    for (int f = 0; f < 3; ++f) {
      for (int g = 0; g < 3; ++g) {
        for (int q = 0; q < 3; ++q) {
          ref::PeakFilter analytic;
          analytic.SetSampleRate(fs);
          analytic.SetFrequency(kSteps[band].frequency[f]);
          analytic.SetGain(kSteps[band].gain[g]);
          analytic.SetQ(kSteps[band].quality[q]);
          const double centre = kSteps[band].frequency[f];
          SCOPED_TRACE(testing::Message() << "band " << band << " steps " << f << g << q);
          // At the centre a bell gives exactly its gain.
          EXPECT_NEAR(MeasuredDb(band, f, g, q, fs, centre), kSteps[band].gain[g], 0.01);
          for (double freq : {centre / 2, centre * 2}) {
            EXPECT_NEAR(MeasuredDb(band, f, g, q, fs, freq), AnalyticDb(analytic, freq), 0.01)
                << "at " << freq << " Hz";
          }
        }
      }
    }
  }
}

TEST(FilterResponse, HigherQualityNarrowsTheBell) {
  // +9 dB at 50 Hz, measured an octave above.
  const double wide = MeasuredDb(0, 0, 2, 0, 44100, 100);
  const double narrow = MeasuredDb(0, 0, 2, 2, 44100, 100);
  EXPECT_GT(wide, 1.5);
  EXPECT_LT(narrow, 0.5 * wide);
}

TEST(FilterContract, FreshFilterOutputsSilenceAndBypassKeepsMemory) {
  FilterPeakStereo fresh;
  double l = 0.5, r = -0.25;
  fresh.Process(l, r);
  EXPECT_EQ(l, 0.0);
  EXPECT_EQ(r, 0.0);

  FilterPeakStereo a, b;
  for (FilterPeakStereo* f : {&a, &b}) {
    f->SetSampleRate(48000);
    f->SetFrequency(100);
    f->SetGain(6);
    f->SetQ(2);
  }
  double la = 0.7, ra = 0.3, lb = 0.7, rb = 0.3;
  a.Process(la, ra);
  b.Process(lb, rb);
  // b is bypassed for a while: samples pass bit for bit and its memory stays.
  b.SetBypass(true);
  double passL = 0.123456789, passR = -0.987654321;
  b.Process(passL, passR);
  EXPECT_EQ(passL, 0.123456789);
  EXPECT_EQ(passR, -0.987654321);
  b.SetBypass(false);
  la = lb = 0.2;
  ra = rb = 0.1;
  a.Process(la, ra);
  b.Process(lb, rb);
  EXPECT_EQ(la, lb);
  EXPECT_EQ(ra, rb);
}

TEST(FilterContract, TinyOutputsAreFlushedToZero) {
  FilterPeakStereo f;
  f.SetSampleRate(44100);
  f.SetFrequency(1000);
  f.SetGain(3);
  f.SetQ(1);
  double l = 1e-39, r = -1e-39;  // normal doubles, below the flush bound after filtering
  f.Process(l, r);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(l), 0u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(r), 0u);  // +0.0, not -0.0
}

// Settings the equations cannot turn into a sound filter make the band pass the signal
// unchanged, never a filter with non-finite or runaway coefficients.
TEST(FilterGuards, UnsoundSettingsGiveAnIdentity) {
  struct Case {
    double sampleRate, frequency, quality;
  };
  const Case cases[] = {
      {8000, 4000, 1},    // at Nyquist: the Click band's top step at 8 kHz
      {8000, 4000.5, 4},  // above Nyquist
      {44100, 1000, 0},   // quality 0
      {44100, 1000, -2},  // negative quality
      {0, 1000, 1},       // sample rate 0
      {44100, 0, 1},      // centre at DC
  };
  for (const Case& c : cases) {
    FilterPeakStereo f;
    f.SetGain(9);
    f.SetQ(c.quality);
    f.SetFrequency(c.frequency);
    f.SetSampleRate(c.sampleRate);
    const std::vector<double> in = Sine(997, 0.8, 44100, 2000);
    for (double x : in) {
      double l = x, r = -x;
      f.Process(l, r);
      ASSERT_EQ(l, x) << c.sampleRate << " Hz, " << c.frequency << " Hz, q " << c.quality;
      ASSERT_EQ(r, -x);
    }
  }
}

// At 11025 Hz the Click band's 4000 Hz step is still below Nyquist: a real, stable bell.
TEST(FilterGuards, ClickTopStepAt11025IsAStableBell) {
  EXPECT_NEAR(MeasuredDb(2, 2, 2, 0, 11025, 4000), 9.0, 0.01);
  EXPECT_NEAR(MeasuredDb(2, 2, 2, 2, 11025, 4000), 9.0, 0.01);
}

}  // namespace
