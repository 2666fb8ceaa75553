#include "IFileSelectorControl.h"

IFileSelectorControl::IFileSelectorControl(IPlugBase* plug, IRECT rect, int paramIdx,
                                           IBitmap* bitmap, int action, const char* dir,
                                           const char* extensions)
    : IControl(plug, rect, paramIdx),
      mBitmap(*bitmap),
      mDir(dir ? dir : ""),
      mExtensions(extensions ? extensions : ""),
      mFileAction(action) {}

void IFileSelectorControl::OnMouseDown(int, int, IMouseMod*) {
  if (!mGraphics) return;
  mState = kSelecting;
  SetDirty(false);
  mGraphics->PromptForFile(&mFile, mFileAction, &mDir, mExtensions.c_str());
  const double v = GetValue() + 1.0;
  mValue.store(v > 1.0 ? 0.0 : v, std::memory_order_relaxed);
  mState = kDone;
  SetDirty(true);
}

bool IFileSelectorControl::Draw(IGraphics* graphics) {
  if (mState != kSelecting) return true;
  IRECT r = mRECT;
  return graphics->DrawBitmap(&mBitmap, &r, 0, 0, nullptr);
}

bool IFileSelectorControl::IsDirty() {
  if (IControl::IsDirty()) return true;
  if (mState == kDone) {
    mState = kIdle;
    return true;
  }
  return false;
}
