#include "ControlKnobHover.h"

#include "FrameMapping.h"
#include "HoverValueBox.h"

ControlKnobHover::ControlKnobHover(IPlugBase* plug, IRECT rect, int paramIdx, IBitmap* bitmap,
                                   int labelHeight, bool negateDisplay)
    : IKnobControl(plug, rect, paramIdx),
      mNegateDisplay(negateDisplay),
      mValueRECT(rect.L + 20, rect.T, rect.R - 20, rect.T + 14),
      mBitmap(*bitmap),
      mLabelHeight(labelHeight) {}

void ControlKnobHover::OnMouseDown(int x, int y, IMouseMod* mod) {
  if (!OnKnobPart(y)) return;
  mDragging = true;
  IKnobControl::OnMouseDown(x, y, mod);
}

void ControlKnobHover::OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* mod) {
  if (mDragging) IKnobControl::OnMouseDrag(x, y, dX, dY, mod);
}

void ControlKnobHover::OnMouseDblClick(int x, int y, IMouseMod* mod) {
  if (OnKnobPart(y)) IKnobControl::OnMouseDblClick(x, y, mod);
}

void ControlKnobHover::OnMouseWheel(int x, int y, IMouseMod* mod, int d) {
  if (OnKnobPart(y)) IKnobControl::OnMouseWheel(x, y, mod, d);
}

void ControlKnobHover::OnMouseOver(int, int y, IMouseMod*) { SetHover(OnKnobPart(y)); }

void ControlKnobHover::OnMouseOut() { SetHover(false); }

void ControlKnobHover::SetHover(bool hover) {
  if (hover == mHover) return;
  mHover = hover;
  SetDirty(false);
}

bool ControlKnobHover::Draw(IGraphics* graphics) {
  IRECT knob(mRECT.L, mRECT.T + mLabelHeight, mRECT.R, mRECT.B);
  const IChannelBlend blend = GetBlend();
  const bool drawn =
      graphics->DrawBitmap(&mBitmap, &knob, FrameForValue(mBitmap.N, GetValue()), &blend);
  if (mHover) {
    DrawHoverValueBox(graphics, mValueRECT, {IColor(225, 0, 0, 0), IColor(225, 20, 178, 224)},
                      ParamDisplayText(mNegateDisplay));
  }
  return drawn;
}
