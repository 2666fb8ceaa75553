// The product: a stereo effect for kick drums. Three switchable bell bands ("Warmth",
// "Boxiness", "Click"), each picking its frequency, gain and quality from three fixed steps,
// then a stereo-linked compressor with make-up gain and a 0 dBFS limiter, feeding a
// gain-reduction meter and an output meter.
//
// The product derives from the binding its library is built for (TundraxBinding.h: VST2 or
// LV2); the binding's entry point creates one Tundrax per instance. Reset and OnParamChange take
// the base's mutex; ProcessDoubleReplacing is entered with it held.
#pragma once

#include "product/ChainMeterSource.h"
#include "product/dsp/KickChain.h"
#include "product/TundraxBinding.h"

class IControl;
class IMeterSource;

class Tundrax : public TundraxBinding {
 public:
  // The editor's meters (if the binding has an editor) read the chain's meters.
  explicit Tundrax(IPlugInstanceInfo instanceInfo);

  // Clears the filter memories and fades the make-up gain in again, at the current rate.
  void Reset() override;
  // Applies one parameter to the chain; a band's bypass also greys out its controls.
  void OnParamChange(int idx) override;
  // Always reads inputs 0 and 1 and writes outputs 0 and 1 (the base gives unconnected channels
  // silent buffers). Detection uses as many inputs as the plug-in declares.
  void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) override;

  const KickChain& GetChain() const { return mChain; }

 protected:
  // For an instance whose chain never runs (the LV2 UI's): the editor's meters read these.
  Tundrax(IPlugInstanceInfo instanceInfo, IMeterSource* gainReductionMeter,
          IMeterSource* outputMeter);
  // For the binding-specific subclass that feeds the meters to its host.
  KickChain& Chain() { return mChain; }

 private:
  void InitParameters();
  // The editor: background and controls of the layout, attached to the plug-in.
  void BuildEditor(IMeterSource* gainReductionMeter, IMeterSource* outputMeter);
  // Greys out (or restores) the editor's controls of a band and its Q icon, if the editor exists.
  void GrayOutBand(int band, bool bypassed);
  void MakeFactoryPresets();

  KickChain mChain;
  // The editor's meters read the chain's meter ballistics through these.
  ChainMeterSource mGainReductionSource{mChain.GetGainReductionMeter()};
  ChainMeterSource mOutputSource{mChain.GetOutputMeter()};
  // Each band's Q icon, greyed with the band's controls while it is bypassed. Owned by the
  // editor.
  IControl* mQIcons[3] = {};
};
