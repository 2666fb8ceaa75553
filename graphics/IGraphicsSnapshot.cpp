// A whole drawing of the editor for a caller without a window (the command-line host's
// screenshots, tests): the pointer is placed, every control is drawn, the pixels handed out.
#include "IGraphics.h"
#include "LICE_Bitmap.h"

bool IGraphics::RenderSnapshot(int hoverX, int hoverY, IPlugEditorPixels* out) {
  if (!out || WindowIsOpen() || !PrepBackBuffer()) return false;
  IMouseMod none;
  if (hoverX >= 0 && hoverY >= 0) {
    OnMouseOver(hoverX, hoverY, &none);
  } else {
    OnMouseOut();
  }
  SetAllControlsDirty();
  mDrawRECT = IRECT(0, 0, mWidth, mHeight);
  for (auto& control : mControls) {
    if (!control->IsHidden()) control->Draw(this);
    control->SetClean();
  }
  out->width = mWidth;
  out->height = mHeight;
  out->rowSpan = mDrawBitmap->getRowSpan();
  out->pixels = mDrawBitmap->getBits();
  return true;
}
