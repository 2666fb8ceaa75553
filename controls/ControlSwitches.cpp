#include "ControlSwitches.h"

void ControlQSwitch::OnMouseDown(int x, int, IMouseMod*) {
  const int left = mTargetRECT.L;
  double v = 1.0;
  if (x < left + mSegmentWidth) {
    v = 0.0;
  } else if (x < left + 2 * mSegmentWidth) {
    v = 0.5;
  }
  mValue.store(v, std::memory_order_relaxed);
  SetDirty(true);
}

bool ControlQSwitch::Draw(IGraphics* graphics) {
  const double v = GetValue();
  if (v == 0.0) {
    mFrame = 1;
  } else if (v == 0.5) {
    mFrame = 2;
  } else if (v == 1.0) {
    mFrame = 3;
  }
  const IChannelBlend blend = GetBlend();
  return graphics->DrawBitmap(&mBitmap, &mRECT, mFrame, &blend);
}
