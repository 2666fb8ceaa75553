#include "IKnobDrawings.h"

#include <cmath>

#include "FrameMapping.h"

IKnobLineControl::IKnobLineControl(IPlugBase* plug, IRECT rect, int paramIdx, const IColor& color,
                                   double innerRadius, double outerRadius, double minAngle,
                                   double maxAngle, int direction, double gearing)
    : IKnobControl(plug, rect, paramIdx, direction, gearing),
      mColor(color),
      mMinAngle(static_cast<float>(minAngle)),
      mMaxAngle(static_cast<float>(maxAngle)),
      mInnerRadius(static_cast<float>(innerRadius)),
      mOuterRadius(outerRadius == 0.0 ? 0.5f * static_cast<float>(rect.W())
                                      : static_cast<float>(outerRadius)) {
  mBlend = IChannelBlend(kBlendClobber);
}

bool IKnobLineControl::Draw(IGraphics* graphics) {
  const double a = mMinAngle + (mMaxAngle - mMinAngle) * GetValue();
  const float sinA = static_cast<float>(std::sin(a));
  const float cosA = static_cast<float>(std::cos(a));
  const float cx = static_cast<float>(mRECT.L + mRECT.R) * 0.5f;
  const float cy = static_cast<float>(mRECT.T + mRECT.B) * 0.5f;
  const IChannelBlend blend = GetBlend();
  return graphics->DrawLine(&mColor, cx + sinA * mInnerRadius, cy - cosA * mInnerRadius,
                            cx + sinA * mOuterRadius, cy - cosA * mOuterRadius, &blend, true);
}

IKnobRotaterControl::IKnobRotaterControl(IPlugBase* plug, int x, int y, int paramIdx,
                                         IBitmap* bitmap, double minAngle, double maxAngle,
                                         int yOffsetZeroDeg, int direction, double gearing)
    : IKnobControl(plug, IRECT(x, y, x + bitmap->W, y + bitmap->H), paramIdx, direction, gearing),
      mBitmap(*bitmap),
      mMinAngle(minAngle),
      mMaxAngle(maxAngle),
      mYOffset(yOffsetZeroDeg) {}

bool IKnobRotaterControl::Draw(IGraphics* graphics) {
  const double angle = mMinAngle + (mMaxAngle - mMinAngle) * GetValue();
  const IChannelBlend blend = GetBlend();
  return graphics->DrawRotatedBitmap(&mBitmap, (mRECT.L + mRECT.R) / 2, (mRECT.T + mRECT.B) / 2,
                                     angle, mYOffset, &blend);
}

IKnobMultiControl::IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                                     int direction, double gearing)
    : IKnobControl(plug, IRECT(x, y, x + bitmap->W, y + bitmap->H / bitmap->N), paramIdx, direction,
                   gearing),
      mBitmap(*bitmap) {}

bool IKnobMultiControl::Draw(IGraphics* graphics) {
  const IChannelBlend blend = GetBlend();
  return graphics->DrawBitmap(&mBitmap, &mRECT, FrameForValue(mBitmap.N, GetValue()), &blend);
}

IKnobRotatingMaskControl::IKnobRotatingMaskControl(IPlugBase* plug, int x, int y, int paramIdx,
                                                   IBitmap* base, IBitmap* mask, IBitmap* top,
                                                   double minAngle, double maxAngle, int direction,
                                                   double gearing)
    : IKnobControl(plug, IRECT(x, y, x + base->W, y + base->H), paramIdx, direction, gearing),
      mBase(*base),
      mMask(*mask),
      mTop(*top),
      mMinAngle(minAngle),
      mMaxAngle(maxAngle) {}

bool IKnobRotatingMaskControl::Draw(IGraphics* graphics) {
  const double angle = mMinAngle + (mMaxAngle - mMinAngle) * GetValue();
  const IChannelBlend blend = GetBlend();
  return graphics->DrawRotatedMask(&mBase, &mMask, &mTop, mRECT.L, mRECT.T, angle, &blend);
}
