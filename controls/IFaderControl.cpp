#include "IFaderControl.h"

#include "ValueGestures.h"

IFaderControl::IFaderControl(IPlugBase* plug, int x, int y, int len, int paramIdx, IBitmap* bitmap,
                             int direction, bool onlyHandle)
    : IControl(plug,
               direction == kVertical ? IRECT(x, y, x + bitmap->W, y + len)
                                      : IRECT(x, y, x + len, y + bitmap->H),
               paramIdx),
      mLen(len),
      mHandleHeadroom(direction == kVertical ? bitmap->H : bitmap->W),
      mBitmap(*bitmap),
      mDirection(direction),
      mOnlyHandle(onlyHandle) {}

IRECT IFaderControl::GetHandleRECT(double value) const {
  if (value < 0.0) value = GetValue();
  const int travel = mLen - mHandleHeadroom;
  const int w = mBitmap.W, h = mBitmap.H;
  if (mDirection == kVertical) {
    const int offset = static_cast<int>(travel * (1.0 - value));
    return IRECT(mRECT.L, mRECT.T + offset, mRECT.L + w, mRECT.T + offset + h);
  }
  const int offset = static_cast<int>(value * travel);
  return IRECT(mRECT.L + offset, mRECT.T, mRECT.L + offset + w, mRECT.T + h);
}

void IFaderControl::SnapToMouse(int x, int y) {
  const int travel = mLen - mHandleHeadroom;
  if (travel <= 0) return;  // a handle as long as the travel cannot move
  const int half = mHandleHeadroom / 2;
  const double v = mDirection == kVertical ? 1.0 - static_cast<double>(y - mRECT.T - half) / travel
                                           : static_cast<double>(x - mRECT.L - half) / travel;
  mValue.store(v, std::memory_order_relaxed);
  SetDirty(true);
}

void IFaderControl::OnMouseDown(int x, int y, IMouseMod* mod) {
  if (mod && mod->R) {
    PromptUserInput();
    return;
  }
  SnapToMouse(x, y);
}

void IFaderControl::OnMouseWheel(int, int, IMouseMod* mod, int d) {
  AddToValue(WheelDelta(mod, d));
  SetDirty(true);
}

bool IFaderControl::Draw(IGraphics* graphics) {
  IRECT handle = GetHandleRECT();
  const IChannelBlend blend = GetBlend();
  return graphics->DrawBitmap(&mBitmap, &handle, 1, &blend);
}

bool IFaderControl::IsHit(int x, int y) {
  return mOnlyHandle ? GetHandleRECT().Contains(x, y) : IControl::IsHit(x, y);
}
