// The equaliser bands' selectors. Editor thread only.
#pragma once

#include "ISwitchControls.h"

// A three-position selector drawn as a knob: a press (any button) within the 61-pixel column
// at its left steps to the next position like a switch; presses further right do nothing.
class ControlKnob : public ISwitchControl {
 public:
  static constexpr int kClickColumnWidth = 61;

  ControlKnob(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap)
      : ISwitchControl(plug, x, y, paramIdx, bitmap) {}

  void OnMouseDown(int x, int y, IMouseMod* mod) override {
    if (x < mRECT.L + kClickColumnWidth) ISwitchControl::OnMouseDown(x, y, mod);
  }
};

// Three equal columns, each picking its position (0, 0.5, 1) with a press of any button. It
// shows the frame of the last exact position it was given, so a value between positions keeps
// the previous frame.
class ControlQSwitch : public ISwitchControl {
 public:
  ControlQSwitch(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap)
      : ISwitchControl(plug, x, y, paramIdx, bitmap), mSegmentWidth(mRECT.W() / 3) {}

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* graphics) override;

 protected:
  int mSegmentWidth;
  int mFrame = 1;
};
