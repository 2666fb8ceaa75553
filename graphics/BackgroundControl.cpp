#include "BackgroundControl.h"

#include "IGraphics.h"

BackgroundControl::BackgroundControl(const IBitmap& bitmap)
    : mBitmap(bitmap), mIsPanel(false), mRECT(0, 0, bitmap.FrameW(), bitmap.FrameH()) {}

BackgroundControl::BackgroundControl(const IRECT& rect, const IColor& color)
    : mColor(color), mIsPanel(true), mRECT(rect) {}

bool BackgroundControl::Draw(IGraphics* graphics) {
  if (mIsPanel) return graphics->FillIRect(&mColor, &mRECT);
  const IChannelBlend opaque(kBlendClobber, 1.0f);
  return graphics->DrawBitmap(&mBitmap, &mRECT, 1, &opaque);
}

void BackgroundControl::Hide(bool hide) {
  mHide.store(hide, std::memory_order_relaxed);
  mDirty.store(true, std::memory_order_relaxed);
}

void BackgroundControl::GrayOut(bool gray) {
  mGrayed.store(gray, std::memory_order_relaxed);
  mDirty.store(true, std::memory_order_relaxed);
}
