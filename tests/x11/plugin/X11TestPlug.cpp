#include "X11TestPlug.h"

#include "controls/ControlKnobCompressor.h"
#include "controls/ControlKnobHover.h"
#include "controls/ControlPeakMeter.h"
#include "controls/ControlSwitches.h"
#include "graphics/x11/IGraphicsX11.h"

namespace {

intptr_t NoHost(vst2::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
  return opcode == vst2::audioMasterVersion ? 2400 : 0;
}

}  // namespace

X11TestPlug::X11TestPlug(IPlugInstanceInfo info)
    : IPlugVST(info.mVSTHostCallback ? info : IPlugInstanceInfo{&NoHost}, kNumParams, "2-2", 1,
               "X11Test", "X11Test", "Tests", 0x10000, 0x58313154, 0x54657374, 0, false, false,
               false) {
  GetParam(kBypass)->InitBool("Bypass", false);
  GetParam(kBand)->InitEnum("Band", 0, 3);
  GetParam(kBand)->SetDisplayText(0, "Low");
  GetParam(kBand)->SetDisplayText(1, "Mid");
  GetParam(kBand)->SetDisplayText(2, "High");
  GetParam(kQuality)->InitInt("Quality", 0, 0, 2);
  GetParam(kGain)->InitDouble("Gain", 0.0, -24.0, 24.0, 0.1, "dB");
  GetParam(kMode)->InitEnum("Mode", 0, 3);
  GetParam(kMode)->SetDisplayText(0, "Soft");
  GetParam(kMode)->SetDisplayText(1, "Medium");
  GetParam(kMode)->SetDisplayText(2, "Hard");
  MakeDefaultPreset("Default", 1);
  mMeterSource.mMeter.SetSampleRate(48000.0);

  mEditor = new IGraphicsX11(this, kWidth, kHeight);
  Layout(mEditor);
  AttachGraphics(mEditor);
}

X11TestPlug::~X11TestPlug() {
  // The strips die before the base deletes the editor: no thread may draw with them then.
  mEditor->Shutdown();
}

IBitmap X11TestPlug::MakeStrip(int w, int frameH, int nFrames) {
  auto pixels = std::make_unique<LICE_MemBitmap>(w, frameH * nFrames);
  LICE_pixel* bits = pixels->getBits();
  const int span = pixels->getRowSpan();
  for (int y = 0; y < frameH * nFrames; ++y) {
    const int frame = y / frameH, row = y % frameH;
    for (int x = 0; x < w; ++x) {
      // A frame-dependent colour with a diagonal stripe, so positions and frames both show.
      const bool stripe = ((x + row + frame * 3) / 6) % 2 == 0;
      bits[y * span + x] =
          LICE_ARGB(255, (frame * 37) & 255, stripe ? 200 : 90, (255 - frame * 11) & 255);
    }
  }
  IBitmap bitmap(pixels.get(), w, frameH * nFrames, nFrames);
  mStrips.push_back(std::move(pixels));
  return bitmap;
}

void X11TestPlug::Layout(IGraphics* editor) {
  static const IColor kPanel(255, 50, 56, 64);
  editor->AttachPanelBackground(&kPanel);
  editor->HandleMouseOver(true);

  IBitmap bypass = MakeStrip(kBypassRect.W(), kBypassRect.H(), 2);
  editor->AttachControl(new ISwitchControl(this, kBypassRect.L, kBypassRect.T, kBypass, &bypass));
  IBitmap band = MakeStrip(kBandRect.W(), kBandRect.H(), 3);
  editor->AttachControl(new ControlKnob(this, kBandRect.L, kBandRect.T, kBand, &band));
  IBitmap quality = MakeStrip(kQualityRect.W(), kQualityRect.H(), 3);
  editor->AttachControl(
      new ControlQSwitch(this, kQualityRect.L, kQualityRect.T, kQuality, &quality));

  IBitmap knob = MakeStrip(75, 75, 101);
  auto* gain = new ControlKnobHover(this, kGainRect, kGain, &knob, 16, false);
  gain->DisablePrompt(false);
  editor->AttachControl(gain);
  auto* mode = new ControlKnobCompressor(this, kModeRect.L, kModeRect.T, kMode, &knob, false);
  mode->DisablePrompt(false);
  editor->AttachControl(mode);

  IBitmap meter = MakeStrip(kMeterRect.W(), kMeterRect.H(), 40);
  editor->AttachControl(new ControlPeakMeter(this, kMeterRect, &meter, &mMeterSource));
}

void X11TestPlug::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  for (int i = 0; i < nFrames; ++i) {
    outputs[0][i] = inputs[0][i];
    outputs[1][i] = inputs[1][i];
    mMeterSource.mMeter.SetLevel(false, inputs[0][i]);
  }
}
