#include "IBitmapControl.h"

#include "FrameMapping.h"

IBitmapControl::IBitmapControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                               int blendMethod)
    : IControl(plug, IRECT(x, y, x + bitmap->W, y + bitmap->H / bitmap->N), paramIdx, blendMethod),
      mBitmap(*bitmap) {}

bool IBitmapControl::Draw(IGraphics* graphics) { return DrawFrameFor(graphics, GetValue(), mRECT); }

bool IBitmapControl::DrawFrameFor(IGraphics* graphics, double value, IRECT rect) {
  const IChannelBlend blend = GetBlend();
  return graphics->DrawBitmap(&mBitmap, &rect, FrameForValue(mBitmap.N, value), &blend);
}
