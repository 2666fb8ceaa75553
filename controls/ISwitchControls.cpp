#include "ISwitchControls.h"

void ISwitchControl::OnMouseDown(int, int, IMouseMod*) {
  AddToValue(mBitmap.N >= 2 ? 1.0 / static_cast<double>(mBitmap.N - 1) : 1.0);
  if (GetValue() > 1.001) mValue.store(0.0, std::memory_order_relaxed);
  SetDirty(true);
}

void ISwitchPopUpControl::OnMouseDown(int, int, IMouseMod*) {
  PromptUserInput();
  SetDirty(true);
}

ISwitchFramesControl::ISwitchFramesControl(IPlugBase* plug, int x, int y, int paramIdx,
                                           IBitmap* bitmap, bool imagesAreHorizontal,
                                           int blendMethod)
    : ISwitchControl(plug, x, y, paramIdx, bitmap, blendMethod) {
  mDisablePrompt = false;
  const int n = mBitmap.N;
  const IRECT& r = mRECT;
  for (int k = 0; k < n; ++k) {
    if (imagesAreHorizontal) {
      const int w = r.W() / n;
      mRECTs.emplace_back(r.L + k * w, r.T, r.L + k * w + w, r.B);
    } else {
      const int h = r.H() / n;
      mRECTs.emplace_back(r.L, r.T + k * h, r.R, r.T + k * h + h);
    }
  }
}

void ISwitchFramesControl::OnMouseDown(int x, int y, IMouseMod*) {
  const int count = static_cast<int>(mRECTs.size());
  for (int k = 0; k < count; ++k) {
    if (mRECTs[k].Contains(x, y)) {
      // With a single rectangle there is only the one position.
      mValue.store(count > 1 ? static_cast<double>(k) / (count - 1) : 0.0,
                   std::memory_order_relaxed);
      break;
    }
  }
  SetDirty(true);
}

void IContactControl::OnMouseUp(int, int, IMouseMod*) {
  mValue.store(0.0, std::memory_order_relaxed);
  SetDirty(true);
}

bool IBitmapOverlayControl::Draw(IGraphics* graphics) {
  if (GetValue() < 0.5) {
    mTargetRECT = mTargetArea;
    return true;
  }
  mTargetRECT = mRECT;
  return IBitmapControl::Draw(graphics);
}

void IInvisibleSwitchControl::OnMouseDown(int, int, IMouseMod*) {
  mValue.store(GetValue() < 0.5 ? 1.0 : 0.0, std::memory_order_relaxed);
  SetDirty(true);
}
