#include "IKnobControl.h"

#include "ValueGestures.h"

void IKnobControl::OnMouseDrag(int, int, int dX, int dY, IMouseMod* mod) {
  const double gearing = IsFineAdjust(mod) ? mGearing * 10.0 : mGearing;
  if (mDirection == kVertical) {
    AddToValue(static_cast<double>(dY) / static_cast<double>(mRECT.T - mRECT.B) / gearing);
  } else {
    AddToValue(static_cast<double>(dX) / static_cast<double>(mRECT.R - mRECT.L) / gearing);
  }
  SetDirty(true);
}

void IKnobControl::OnMouseWheel(int, int, IMouseMod* mod, int d) {
  AddToValue(WheelDelta(mod, d));
  SetDirty(true);
}
