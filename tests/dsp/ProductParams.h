#pragma once
// The product's parameter set as the tests need it: the factory presets' band steps, the
// real values of all 17 parameters, and the parameter handler's mapping onto a KickChain
// (what Tundrax::OnParamChange does with them).

#include "KickChain.h"

constexpr int kNumParams = 17;

struct FactoryPreset {
  const char* name;
  int steps[9];  // parameters 3..11
};

inline constexpr FactoryPreset kFactoryPresets[] = {
    {"Default", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {"Acoustic Kick 1", {1, 1, 0, 0, 2, 1, 0, 0, 0}},
    {"Acoustic Kick 2", {0, 1, 0, 0, 2, 2, 2, 0, 1}},
    {"Acoustic Kick 3", {1, 1, 1, 0, 2, 0, 0, 1, 2}},
    {"808 Kick", {2, 1, 2, 2, 1, 1, 0, 2, 0}},
    {"HipHop Kick 1", {0, 1, 0, 0, 1, 0, 2, 1, 1}},
    {"HipHop Kick 2", {2, 2, 0, 1, 1, 0, 0, 0, 2}},
    {"Dub Kick", {0, 2, 0, 2, 1, 0, 0, 2, 2}},
    {"Electro Kick", {0, 1, 2, 0, 2, 1, 1, 1, 0}},
    {"Trance Kick 1", {0, 0, 0, 1, 2, 0, 0, 0, 2}},
    {"Trance Kick 2", {2, 1, 0, 0, 2, 0, 2, 1, 0}},
};
inline constexpr int kNumFactoryPresets = sizeof(kFactoryPresets) / sizeof(kFactoryPresets[0]);

// Every preset: bypasses off, ratio 2, threshold depth 0, attack 10, release 50, make-up 0.
struct ProductParams {
  double values[kNumParams] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2.0, 0.0, 10.0, 50.0, 0.0};

  static ProductParams ForPreset(const FactoryPreset& preset) {
    ProductParams p;
    for (int i = 0; i < 9; ++i) {
      p.values[3 + i] = preset.steps[i];
    }
    return p;
  }
};

inline void ApplyParam(KickChain& chain, int idx, const double* v) {
  if (idx >= 0 && idx <= 2) {
    chain.SetBandBypass(idx, v[idx]);
  } else if (idx >= 3 && idx <= 11) {
    const int band = (idx - 3) / 3;
    switch ((idx - 3) % 3) {
      case 0:
        chain.SetBandFrequency(band, v[idx]);
        break;
      case 1:
        chain.SetBandGain(band, v[idx]);
        break;
      default:
        chain.SetBandQuality(band, v[idx]);
        break;
    }
  } else if (idx >= 12 && idx <= 16) {
    chain.SetCompressorParams(idx, v[12], v[13], v[14], v[15], v[16]);
  }
}

// What the host's open does: every parameter handler in index order.
inline void ApplyAllParams(KickChain& chain, const ProductParams& p) {
  for (int i = 0; i < kNumParams; ++i) {
    ApplyParam(chain, i, p.values);
  }
}
