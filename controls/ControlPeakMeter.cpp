#include "ControlPeakMeter.h"

#include "FrameMapping.h"

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
  const IChannelBlend blend = GetBlend();
  graphics->DrawBitmap(&mBitmap, &mRECT, frame, &blend);
  mDrawnFrame = frame;
  if (mSource) mSource->ResetHeldPeak();
  return true;
}
