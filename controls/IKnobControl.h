// IKnobControl: the input side of every knob, with no drawing of its own. A vertical drag
// over gearing × the control's height sweeps the whole range (upward raises the value); a
// horizontal one the same over its width; shift or control gear ten times finer. The wheel
// moves 0.01 per step, 0.001 when fine.
#pragma once

#include "IControl.h"

class IKnobControl : public IControl {
 public:
  enum EDirection { kVertical = 0, kHorizontal = 1 };
  static constexpr double kDefaultGearing = 4.0;

  IKnobControl(IPlugBase* plug, IRECT rect, int paramIdx, int direction = kVertical,
               double gearing = kDefaultGearing)
      : IControl(plug, rect, paramIdx), mDirection(direction), mGearing(gearing) {}

  void OnMouseDrag(int x, int y, int dX, int dY, IMouseMod* mod) override;
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d) override;

 protected:
  int mDirection;
  double mGearing;
};
