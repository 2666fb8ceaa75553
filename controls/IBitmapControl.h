// IBitmapControl: shows the frame of its strip that stands for its value (FrameMapping.h).
// A one-frame strip is a plain picture, such as the editor's background.
#pragma once

#include "IControl.h"

class IBitmapControl : public IControl {
 public:
  // Rectangle (x, y, x + W, y + H / N): one frame of the strip.
  IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                 int blendMethod = kBlendNone);
  IBitmapControl(IPlugBase* plug, int x, int y, IBitmap* bitmap, int blendMethod = kBlendNone)
      : IBitmapControl(plug, x, y, -1, bitmap, blendMethod) {}

  bool Draw(IGraphics* graphics) override;

 protected:
  // Draws the frame for value into rect with the control's blend.
  bool DrawFrameFor(IGraphics* graphics, double value, IRECT rect);

  IBitmap mBitmap;
};
