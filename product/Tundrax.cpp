#include "Tundrax.h"

#include "TundraxParams.h"

namespace {

constexpr int kUniqueID = 0x7a6f6f72;  // "zoor"
constexpr int kMfrID = 0x4e6f317a;     // "No1z"
constexpr int kVersion = 0x10002;      // 1.0.2

}  // namespace

Tundrax::Tundrax(IPlugInstanceInfo instanceInfo) : Tundrax(instanceInfo, nullptr, nullptr) {}

Tundrax::Tundrax(IPlugInstanceInfo instanceInfo, IMeterSource* gainReductionMeter,
                 IMeterSource* outputMeter)
    : TundraxBinding(instanceInfo, kNumParams, "1-1 2-2", kNumPresets, "Tundrax", "", "Orvalline",
                     kVersion, kUniqueID, kMfrID, 0, false, false, false) {
  InitParameters();
  if constexpr (kTundraxHasEditor) {
    BuildEditor(gainReductionMeter ? gainReductionMeter : &mGainReductionSource,
                outputMeter ? outputMeter : &mOutputSource);
  }
  MakeFactoryPresets();
}

void Tundrax::Reset() {
  std::lock_guard lock(GetMutex());
  mChain.Reset(GetSampleRate());
}

void Tundrax::OnParamChange(int idx) {
  std::lock_guard lock(GetMutex());
  if (idx < 0 || idx >= kNumParams) return;
  double values[kNumParams];
  for (int i = 0; i < kNumParams; ++i) values[i] = GetParam(i)->Value();
  const bool bypassed = mChain.ApplyParam(idx, values);
  if constexpr (kTundraxHasEditor) {
    if (idx <= kBypassClick) GrayOutBand(idx, bypassed);
  }
}

void Tundrax::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  mChain.Process(inputs[0], inputs[1], outputs[0], outputs[1], nFrames, NInChannels());
}

void Tundrax::InitParameters() {
  GetParam(kBypassWarmth)->InitBool("Bypass warmth", false);
  GetParam(kBypassBoxiness)->InitBool("Bypass boxiness", false);
  GetParam(kBypassClick)->InitBool("Bypass click", false);

  const char* const stepNames[] = {
      "Warmth frequency",   "Warmth gain",   "Warmth quality",
      "Boxiness frequency", "Boxiness gain", "Boxiness quality",
      "Click frequency",    "Click gain",    "Click quality",
  };
  for (int i = 0; i < 9; ++i) GetParam(kWarmthFrequency + i)->InitInt(stepNames[i], 0, 0, 2);

  GetParam(kRatio)->InitDouble("Ratio", 2.0, 1.0, 20.0, 0.1);
  GetParam(kRatio)->SetShape(2.66297);
  GetParam(kThreshold)->InitDouble("Threshold", 0.0, 0.0, 48.0, 0.1, "dB");
  GetParam(kAttack)->InitDouble("Attack", 10.0, 1.0, 100.0, 0.1, "ms");
  GetParam(kAttack)->SetShape(2.38143);
  GetParam(kRelease)->InitDouble("Release", 50.0, 1.0, 500.0, 0.1, "ms");
  GetParam(kRelease)->SetShape(2.33354);
  GetParam(kMakeup)->InitDouble("Make-up", 0.0, 0.0, 48.0, 0.1, "dB");
}

void Tundrax::MakeFactoryPresets() {
  struct Steps {
    const char* name;
    int warmth[3], boxiness[3], click[3];  // frequency, gain and quality steps of each band
  };
  static constexpr Steps kPresets[kNumPresets] = {
      {"Default", {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {"Acoustic Kick 1", {1, 1, 0}, {0, 2, 1}, {0, 0, 0}},
      {"Acoustic Kick 2", {0, 1, 0}, {0, 2, 2}, {2, 0, 1}},
      {"Acoustic Kick 3", {1, 1, 1}, {0, 2, 0}, {0, 1, 2}},
      {"808 Kick", {2, 1, 2}, {2, 1, 1}, {0, 2, 0}},
      {"HipHop Kick 1", {0, 1, 0}, {0, 1, 0}, {2, 1, 1}},
      {"HipHop Kick 2", {2, 2, 0}, {1, 1, 0}, {0, 0, 2}},
      {"Dub Kick", {0, 2, 0}, {2, 1, 0}, {0, 2, 2}},
      {"Electro Kick", {0, 1, 2}, {0, 2, 1}, {1, 1, 0}},
      {"Trance Kick 1", {0, 0, 0}, {1, 2, 0}, {0, 0, 2}},
      {"Trance Kick 2", {2, 1, 0}, {0, 2, 0}, {2, 1, 0}},
  };
  for (const Steps& p : kPresets) {
    MakePreset(p.name, 0, 0, 0,                              // no band bypassed
               p.warmth[0], p.warmth[1], p.warmth[2],        //
               p.boxiness[0], p.boxiness[1], p.boxiness[2],  //
               p.click[0], p.click[1], p.click[2],           //
               2.0, 0.0, 10.0, 50.0, 0.0);  // ratio, threshold, attack, release, make-up
  }
}
