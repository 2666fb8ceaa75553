// ControlKnobHover: a frame-strip knob under a label strip. Only the knob part (below the
// label strip, whose last row still belongs to the label) takes presses, drags started there,
// wheel steps and double clicks. While the pointer is over the knob part, the parameter's
// value shows in a box inside the label strip. Hovering only redraws: it never sends anything
// to the plug-in or the host. Editor thread only.
#pragma once

#include "IKnobControl.h"

class ControlKnobHover : public IKnobControl {
 public:
  // rect covers the label strip (labelHeight pixels high) and the knob below it.
  // negateDisplay: the box shows a "-" before any value but 0.
  ControlKnobHover(IPlugBase* plug, IRECT rect, int paramIdx, IBitmap* bitmap, int labelHeight,
                   bool negateDisplay);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseUp(int, int, IMouseMod*) override { mDragging = false; }
  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* mod) override;
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override;
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d) override;
  void OnMouseOver(int x, int y, IMouseMod* mod) override;
  void OnMouseOut() override;
  bool Draw(IGraphics* graphics) override;

  bool IsHovering() const { return mHover; }

 protected:
  bool OnKnobPart(int y) const { return y > mRECT.T + mLabelHeight; }
  void SetHover(bool hover);

  bool mHover = false;
  bool mNegateDisplay;
  IRECT mValueRECT;
  IBitmap mBitmap;
  int mLabelHeight;
  bool mDragging = false;
};
