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

inline void ApplyParam(KickChain& chain, int idx, const double* v) { chain.ApplyParam(idx, v); }

// What the host's open does: every parameter handler in index order.
inline void ApplyAllParams(KickChain& chain, const ProductParams& p) {
  for (int i = 0; i < kNumParams; ++i) {
    ApplyParam(chain, i, p.values);
  }
}
