// The switch family: bitmap controls that step or pick a position with a click.
// All of them draw the frame for their value (IBitmapControl) unless said otherwise.
#pragma once

#include <vector>

#include "IBitmapControl.h"

// Each press (any button, modifiers ignored) steps to the next frame: by 1 / (N - 1), by 1.0
// for a one-frame strip, back to 0 past the end. A double click is one more step.
class ISwitchControl : public IBitmapControl {
 public:
  using IBitmapControl::IBitmapControl;

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override { OnMouseDown(x, y, mod); }
};

// A press opens the value prompt (when enabled), then pushes the value.
class ISwitchPopUpControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
};

// One click rectangle per frame, side by side (imagesAreHorizontal) or stacked; a press in
// rectangle k picks k / (count - 1). The value prompt is enabled.
class ISwitchFramesControl : public ISwitchControl {
 public:
  ISwitchFramesControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                       bool imagesAreHorizontal = false, int blendMethod = kBlendNone);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;

 protected:
  std::vector<IRECT> mRECTs;
};

// Momentary: a press steps like a switch, the release goes back to 0.
class IContactControl : public ISwitchControl {
 public:
  using ISwitchControl::ISwitchControl;

  void OnMouseUp(int x, int y, IMouseMod* mod) override;
};

// Draws nothing while off (value < 0.5) and is then hit only inside the target area; while on
// it draws its frame and is hit anywhere on it. The target follows each drawing.
class IBitmapOverlayControl : public ISwitchControl {
 public:
  IBitmapOverlayControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                        IRECT targetArea, int blendMethod = kBlendNone)
      : ISwitchControl(plug, x, y, paramIdx, bitmap, blendMethod), mTargetArea(targetArea) {}

  bool Draw(IGraphics* graphics) override;

 protected:
  IRECT mTargetArea;
};

// A switch without a picture: a press flips between 0 and 1.
class IInvisibleSwitchControl : public IControl {
 public:
  IInvisibleSwitchControl(IPlugBase* plug, IRECT rect, int paramIdx)
      : IControl(plug, rect, paramIdx, kBlendClobber) {}

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics*) override { return true; }
};
