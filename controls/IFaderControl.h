// IFaderControl: a handle that slides along a travel of mLen pixels. A press or drag puts the
// handle's centre under the pointer; a right press opens the value prompt (when enabled); the
// wheel steps like a knob's. Value 1 is the top (vertical) or the right end (horizontal).
#pragma once

#include "IControl.h"

class IFaderControl : public IControl {
 public:
  enum EDirection { kVertical = 0, kHorizontal = 1 };

  // Rectangle vertical (x, y, x + W, y + len), horizontal (x, y, x + len, y + H), with W, H the
  // handle bitmap's size. onlyHandle: only the handle itself is hit.
  IFaderControl(IPlugBase* plug, int x, int y, int len, int paramIdx, IBitmap* bitmap,
                int direction = kVertical, bool onlyHandle = false);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDrag(int x, int y, int, int, IMouseMod*) override { SnapToMouse(x, y); }
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d) override;
  bool Draw(IGraphics* graphics) override;
  bool IsHit(int x, int y) override;

  // The handle's rectangle for value (the current value when negative).
  IRECT GetHandleRECT(double value = -1.0) const;
  virtual void SnapToMouse(int x, int y);

 protected:
  int mLen;
  int mHandleHeadroom;
  IBitmap mBitmap;
  int mDirection;
  bool mOnlyHandle;
};
