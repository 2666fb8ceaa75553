// IRadioButtonsControl: n buttons of one two-frame strip (off, on) laid out along the
// rectangle with equal gaps; the button for the value shows "on", the others "off". A press
// on button k picks k / (n - 1); a right press opens the value prompt (when enabled).
#pragma once

#include <vector>

#include "IControl.h"

class IRadioButtonsControl : public IControl {
 public:
  enum EDirection { kVertical = 0, kHorizontal = 1 };

  // reverse: the first button sits at the bottom (vertical) or right (horizontal) end.
  IRadioButtonsControl(IPlugBase* plug, IRECT rect, int paramIdx, int nButtons, IBitmap* bitmap,
                       int direction = kVertical, bool reverse = false);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* graphics) override;

 protected:
  std::vector<IRECT> mRECTs;
  IBitmap mBitmap;
};
