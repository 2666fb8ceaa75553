#include "ControlPeakMeter.h"

#include "FrameMapping.h"
#include "raster/LICE_Bitmap.h"

namespace {
bool IsOpaque(const IBitmap& bitmap) {
  LICE_IBitmap* raster = bitmap.mData;
  if (!raster || !raster->getBits()) return false;
  const int w = raster->getWidth(), h = raster->getHeight(), span = raster->getRowSpan();
  const LICE_pixel* bits = raster->getBits();
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (LICE_GETA(bits[y * span + x]) != 255) return false;
    }
  }
  return true;
}
}  // namespace

ControlPeakMeter::ControlPeakMeter(IPlugBase* plug, IRECT rect, IBitmap* bitmap,
                                   IMeterSource* source)
    : IControl(plug, rect), mBitmap(*bitmap), mSource(source) {}

int ControlPeakMeter::CurrentFrame() const {
  const double level = mSource ? mSource->GetDisplayedLevel() : IMeterSource::kMinimumDb;
  return FrameForValue(mBitmap.N, 1.0 - level / IMeterSource::kMinimumDb);
}

bool ControlPeakMeter::IsDirty() {
  if (IControl::IsDirty() || CurrentFrame() != mDrawnFrame) return true;
  if (mSource) mSource->ResetHeldPeak();
  return false;
}

bool ControlPeakMeter::Draw(IGraphics* graphics) {
  const int frame = CurrentFrame();
  IChannelBlend blend = GetBlend();
  if (!mOpaque) mOpaque = IsOpaque(mBitmap);
  if (*mOpaque && blend.mMethod == kBlendNone && blend.mWeight == 1.0f) {
    blend.mMethod = kBlendClobber;
  }
  graphics->DrawBitmap(&mBitmap, &mRECT, frame, &blend);
  mDrawnFrame = frame;
  if (mSource) mSource->ResetHeldPeak();
  return true;
}
