// A small plug-in on the real VST2 binding with a few of the real controls, for driving the
// X11 view the way a host and a user do: a bypass switch, a band selector, a quality switch,
// a gain knob with a hover value box and a typed-value prompt, a mode knob whose prompt is a
// menu, and an output meter fed by the audio path, all in the X11 view. Images are strips made
// here: every frame its own colours.
#pragma once

#include <memory>
#include <vector>

#include "controls/IMeterSource.h"
#include "graphics/IGraphicsStructs.h"
#include "product/dsp/MeterBallistics.h"
#include "raster/LICE_Bitmap.h"
#include "vst2/IPlugVST.h"

class IGraphics;

class X11TestPlug : public IPlugVST {
 public:
  enum Params { kBypass, kBand, kQuality, kGain, kMode, kNumParams };
  static constexpr int kWidth = 300, kHeight = 200;

  // Where each control sits (editor pixels).
  inline static const IRECT kBypassRect{10, 10, 40, 40};
  inline static const IRECT kBandRect{50, 10, 140, 50};
  inline static const IRECT kQualityRect{150, 10, 240, 40};
  inline static const IRECT kGainRect{10, 60, 85, 151};  // 16-pixel label strip, then the knob
  inline static const IRECT kModeRect{110, 76, 185, 151};
  inline static const IRECT kMeterRect{250, 60, 270, 160};

  explicit X11TestPlug(IPlugInstanceInfo info);
  ~X11TestPlug() override;

  // Feeds the meter with each output sample (the input, passed through).
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;

 private:
  class MeterSource : public IMeterSource {
   public:
    double GetDisplayedLevel() const override { return mMeter.GetDisplayedLevel(); }
    void ResetHeldPeak() override { mMeter.ResetHeldPeak(); }
    MeterBallistics mMeter;
  };

  IBitmap MakeStrip(int w, int frameH, int nFrames);
  void Layout(IGraphics* editor);

  std::vector<std::unique_ptr<LICE_MemBitmap>> mStrips;
  MeterSource mMeterSource;
  IGraphics* mEditor = nullptr;  // owned by the plug-in base
};
