#include "GuiTestPlug.h"

#include <cmath>

host::HostEventLog& HostLog() {
  static host::HostEventLog log;
  return log;
}

intptr_t RecordingHostCallback(vst2::AEffect*, int32_t opcode, int32_t index, intptr_t, void*,
                               float opt) {
  using Kind = host::HostEvent::Kind;
  switch (opcode) {
    case vst2::audioMasterVersion:
      return 2400;
    case vst2::audioMasterAutomate:
      HostLog().record({Kind::Automate, index, opt});
      return 1;
    case vst2::audioMasterBeginEdit:
      HostLog().record({Kind::BeginEdit, index, 0.0f});
      return 1;
    case vst2::audioMasterEndEdit:
      HostLog().record({Kind::EndEdit, index, 0.0f});
      return 1;
    default:
      return 0;
  }
}

GuiTestPlug::GuiTestPlug()
    : IPlugVST(IPlugInstanceInfo{&RecordingHostCallback}, kNumParams, "2-2", kNumPrograms,
               "GuiTest", "GuiTest", "Tests", 0x10000, 0x47756954, 0x54657374, 0, false, true,
               false) {
  GetParam(kBypass)->InitBool("Bypass", false);
  GetParam(kMode)->InitEnum("Mode", 1, 3);
  GetParam(kMode)->SetDisplayText(0, "Soft");
  GetParam(kMode)->SetDisplayText(1, "Medium");
  GetParam(kMode)->SetDisplayText(2, "Hard");
  GetParam(kThreshold)->InitDouble("Threshold", 0.0, 0.0, 48.0, 0.1, "dB");
  GetParam(kMakeUp)->InitDouble("Make-up", 0.0, 0.0, 48.0, 0.1, "dB");
  GetParam(kQuality)->InitInt("Quality", 0, 0, 2);
  MakeDefaultPreset("Zero", 1);
  GetParam(kThreshold)->Set(24.0);
  MakeDefaultPreset("Half", 1);
  GetParam(kThreshold)->Set(48.0);
  GetParam(kMakeUp)->Set(12.0);
  MakeDefaultPreset("Full", 1);
  RestorePreset(0);
  mOutputMeter.mMeter.SetSampleRate(48000.0);
  mGainMeter.mMeter.SetSampleRate(48000.0);
}

void GuiTestPlug::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  for (int i = 0; i < nFrames; ++i) {
    const double x = inputs[0][i];
    outputs[0][i] = x;
    outputs[1][i] = inputs[1][i];
    mOutputMeter.mMeter.SetLevel(false, x);
    mGainMeter.mMeter.SetLevel(true, -std::fabs(x) * 24.0);
  }
}

const IColor kPanelColor(255, 60, 60, 60);

IGraphicsHeadless* MakeEditor(IPlugBase* plug, int w, int h) {
  auto* editor = new IGraphicsHeadless(plug, w, h);
  editor->AttachPanelBackground(&kPanelColor);
  return editor;
}

void Attach(IPlugBase* plug, IGraphicsHeadless* editor) { plug->AttachGraphics(editor); }
