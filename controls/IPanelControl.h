// IPanelControl: a rectangle filled with one colour.
#pragma once

#include "IControl.h"

class IPanelControl : public IControl {
 public:
  IPanelControl(IPlugBase* plug, IRECT rect, const IColor& color, int blendMethod = kBlendNone)
      : IControl(plug, rect, -1, blendMethod), mColor(color) {}

  bool Draw(IGraphics* graphics) override {
    const IChannelBlend blend = GetBlend();
    return graphics->FillIRect(&mColor, &mRECT, &blend);
  }

 protected:
  IColor mColor;
};
