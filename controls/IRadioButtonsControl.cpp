#include "IRadioButtonsControl.h"

IRadioButtonsControl::IRadioButtonsControl(IPlugBase* plug, IRECT rect, int paramIdx, int nButtons,
                                           IBitmap* bitmap, int direction, bool reverse)
    : IControl(plug, rect, paramIdx), mBitmap(*bitmap) {
  if (nButtons < 1) return;
  const int w = mBitmap.W;
  const int h = mBitmap.H / mBitmap.N;
  const int n = nButtons;
  // One button has no gap to share.
  const int room = direction == kVertical ? rect.H() - h * n : rect.W() - w * n;
  const int gap = n > 1 ? room / (n - 1) : 0;
  for (int k = 0; k < n; ++k) {
    if (direction == kVertical) {
      const int y = reverse ? rect.B - gap - h - k * (h + gap) : rect.T + k * (h + gap);
      mRECTs.emplace_back(rect.L, y, rect.L + w, y + h);
    } else {
      const int x = reverse ? rect.R - w - gap - k * (w + gap) : rect.L + k * (w + gap);
      mRECTs.emplace_back(x, rect.T, x + w, rect.T + h);
    }
  }
}

void IRadioButtonsControl::OnMouseDown(int x, int y, IMouseMod* mod) {
  if (mod && mod->R) {
    PromptUserInput();
    return;
  }
  const int n = static_cast<int>(mRECTs.size());
  for (int k = 0; k < n; ++k) {
    if (mRECTs[k].Contains(x, y)) {
      mValue.store(n > 1 ? static_cast<double>(k) / (n - 1) : 0.0, std::memory_order_relaxed);
      break;
    }
  }
  SetDirty(true);
}

bool IRadioButtonsControl::Draw(IGraphics* graphics) {
  const int n = static_cast<int>(mRECTs.size());
  if (n == 0) return true;
  double s = static_cast<double>(n - 1) * GetValue() + 0.5;
  if (!(s >= 0.0)) s = 0.0;
  const int selected = s >= n ? n - 1 : static_cast<int>(s);
  const IChannelBlend blend = GetBlend();
  bool ok = true;
  for (int k = 0; k < n; ++k) {
    ok &= graphics->DrawBitmap(&mBitmap, &mRECTs[k], k == selected ? 2 : 1, &blend);
  }
  return ok;
}
