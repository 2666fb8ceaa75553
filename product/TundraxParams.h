// The product's parameter indices, in the order the host and stored state see them.
#pragma once

enum ETundraxParam {
  kBypassWarmth = 0,
  kBypassBoxiness,
  kBypassClick,
  kWarmthFrequency,
  kWarmthGain,
  kWarmthQuality,
  kBoxinessFrequency,
  kBoxinessGain,
  kBoxinessQuality,
  kClickFrequency,
  kClickGain,
  kClickQuality,
  kRatio,
  kThreshold,  // a depth: 0..48 means a threshold of 0..-48 dBFS
  kAttack,
  kRelease,
  kMakeup,
  kNumParams
};

constexpr int kNumPresets = 11;
