// ControlKnobCompressor: a frame-strip knob that shows its parameter's value in a box across
// its middle while the pointer is over it. Hovering only redraws; it sends nothing. Input is
// IKnobControl's over the whole rectangle. Editor thread only.
#pragma once

#include "IKnobDrawings.h"

class ControlKnobCompressor : public IKnobMultiControl {
 public:
  // Rectangle (x, y, x + W, y + H / N). negateDisplay: a "-" before any value but 0.
  ControlKnobCompressor(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                        bool negateDisplay);

  void OnMouseOver(int, int, IMouseMod*) override { SetHover(true); }
  void OnMouseOut() override { SetHover(false); }
  bool Draw(IGraphics* graphics) override;

 protected:
  void SetHover(bool hover);

  bool mHover = false;
  bool mNegateDisplay;
  IRECT mValueRECT;
};
