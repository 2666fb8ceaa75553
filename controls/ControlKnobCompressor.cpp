#include "ControlKnobCompressor.h"

#include "HoverValueBox.h"

ControlKnobCompressor::ControlKnobCompressor(IPlugBase* plug, int x, int y, int paramIdx,
                                             IBitmap* bitmap, bool negateDisplay)
    : IKnobMultiControl(plug, x, y, paramIdx, bitmap),
      mNegateDisplay(negateDisplay),
      mValueRECT(mRECT.L + 20, mRECT.T + 31, mRECT.R - 20, mRECT.B - 30) {}

void ControlKnobCompressor::SetHover(bool hover) {
  if (hover == mHover) return;
  mHover = hover;
  SetDirty(false);
}

bool ControlKnobCompressor::Draw(IGraphics* graphics) {
  const bool drawn = IKnobMultiControl::Draw(graphics);
  if (mHover) {
    DrawHoverValueBox(graphics, mValueRECT, {IColor(225, 225, 225, 225), IColor(225, 0, 0, 0)},
                      ParamDisplayText(mNegateDisplay));
  }
  return drawn;
}
