#pragma once
// The product's processing chain and parameter handler written plainly from the equations,
// on the plain objects of ReferenceDsp.h: the yardstick for KickChain.

#include "ReferenceDsp.h"

namespace ref {

struct Chain {
  PeakFilter warmth, boxiness, click;
  Compressor compressor;
  Limiter limiter;
  Meter grMeter, outMeter;

  void Reset(double fs) {
    warmth.SetSampleRate(fs);
    boxiness.SetSampleRate(fs);
    click.SetSampleRate(fs);
    compressor.SetSampleRate(fs);
    limiter.SetSampleRate(fs);
    grMeter.SetSampleRate(fs);
    outMeter.SetSampleRate(fs);
  }

  // The parameter handler; params holds the real values of all 17 parameters.
  void OnParamChange(int idx, const double* params) {
    static const double freq[3][3] = {{50, 90, 130}, {180, 300, 420}, {1000, 2500, 4000}};
    static const double gain[3][3] = {{3, 6, 9}, {-4, -8, -12}, {3, 6, 9}};
    static const double qual[3][3] = {{1, 2, 4}, {1, 2, 4}, {1, 2, 4}};
    PeakFilter* bands[3] = {&warmth, &boxiness, &click};
    if (idx < 0 || idx >= 17) {
      return;
    }
    if (idx <= 11) {
      int v = static_cast<int>(params[idx]);
      if (idx <= 2) {
        bands[idx]->SetBypass(v != 0);
        return;
      }
      int band = (idx - 3) / 3;
      int kind = (idx - 3) % 3;
      if (v < 0 || v > 2) {
        return;
      }
      if (kind == 0) {
        bands[band]->SetFrequency(freq[band][v]);
      } else if (kind == 1) {
        bands[band]->SetGain(gain[band][v]);
      } else {
        bands[band]->SetQ(qual[band][v]);
      }
      return;
    }
    switch (idx) {
      case 12:
        compressor.SetRatio(params[12]);
        [[fallthrough]];
      case 13:
        compressor.SetThreshold(-params[13]);
        [[fallthrough]];
      case 14:
        compressor.SetAttack(params[14]);
        [[fallthrough]];
      case 15:
        compressor.SetRelease(params[15]);
        [[fallthrough]];
      default:
        compressor.SetMakeupGain(params[16]);
    }
  }

  void Process(const double* inL, const double* inR, double* outL, double* outR, int n, int mode) {
    for (int i = 0; i < n; ++i) {
      double L = inL[i], R = inR[i];
      warmth.Process(L, R);
      boxiness.Process(L, R);
      click.Process(L, R);
      compressor.Process(L, R, mode);
      limiter.Process(L, R);
      grMeter.SetLevel(true, compressor.gainChange);
      outMeter.SetLevel(false, std::max(std::fabs(R), std::fabs(L)));
      outL[i] = L;
      outR[i] = R;
    }
  }
};

}  // namespace ref
