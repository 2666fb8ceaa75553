// A small plug-in on the real VST2 binding for driving controls through the editor engine,
// with a host callback that records what the plug-in tells the host, and two meters whose
// levels the audio path feeds through the product's meter ballistics.
#pragma once

#include <memory>

#include "controls/IMeterSource.h"
#include "graphics/IGraphicsHeadless.h"
#include "product/dsp/MeterBallistics.h"
#include "tools/host/HostEventLog.h"
#include "vst2/IPlugVST.h"

// What the host heard, in order: one log for the process, since the callback may be reached
// from any thread.
host::HostEventLog& HostLog();
intptr_t RecordingHostCallback(vst2::AEffect*, int32_t opcode, int32_t index, intptr_t, void*,
                               float opt);

// Meter ballistics seen through the interface the meter control reads.
class BallisticsSource : public IMeterSource {
 public:
  double GetDisplayedLevel() const override { return mMeter.GetDisplayedLevel(); }
  void ResetHeldPeak() override { mMeter.ResetHeldPeak(); }
  MeterBallistics mMeter;
};

class GuiTestPlug : public IPlugVST {
 public:
  enum Params { kBypass, kMode, kThreshold, kMakeUp, kQuality, kNumParams };
  static constexpr int kNumPrograms = 3;

  GuiTestPlug();

  // Feeds the output meter with each output sample and the gain-change meter with a gain
  // change that follows the input's level.
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;

  vst2::AEffect* Effect() { return GetAEffect(); }
  intptr_t Dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
    return Effect()->dispatcher(Effect(), opcode, index, value, ptr, opt);
  }

  BallisticsSource mOutputMeter;
  BallisticsSource mGainMeter;
};

// A headless editor of w × h on a grey panel, attached to the plug-in once its controls are in.
IGraphicsHeadless* MakeEditor(IPlugBase* plug, int w = 300, int h = 200);
// Pushes the parameters into the controls and makes the back buffer.
void Attach(IPlugBase* plug, IGraphicsHeadless* editor);

extern const IColor kPanelColor;
