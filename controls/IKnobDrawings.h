// The knobs that draw: a line pointer, a rotated bitmap, a frame strip and a rotating mask.
// Input is IKnobControl's. Angles run from the minimum at value 0 to the maximum at value 1.
#pragma once

#include <numbers>

#include "IKnobControl.h"

// A line from the inner to the outer radius around the rectangle's centre; angle 0 (radians)
// points straight up. An outer radius of 0 reaches half the rectangle's width.
class IKnobLineControl : public IKnobControl {
 public:
  IKnobLineControl(IPlugBase* plug, IRECT rect, int paramIdx, const IColor& color,
                   double innerRadius = 0.0, double outerRadius = 0.0,
                   double minAngle = -0.75 * std::numbers::pi,
                   double maxAngle = 0.75 * std::numbers::pi, int direction = kVertical,
                   double gearing = kDefaultGearing);

  bool Draw(IGraphics* graphics) override;

 protected:
  IColor mColor;
  float mMinAngle, mMaxAngle, mInnerRadius, mOuterRadius;
};

// The bitmap rotated about the rectangle's centre (angles in degrees).
class IKnobRotaterControl : public IKnobControl {
 public:
  IKnobRotaterControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                      double minAngle = -135.0, double maxAngle = 135.0, int yOffsetZeroDeg = 0,
                      int direction = kVertical, double gearing = kDefaultGearing);

  bool Draw(IGraphics* graphics) override;

 protected:
  IBitmap mBitmap;
  double mMinAngle, mMaxAngle;
  int mYOffset;
};

// The frame of its strip for the value (FrameMapping.h).
class IKnobMultiControl : public IKnobControl {
 public:
  // Rectangle (x, y, x + W, y + H / N).
  IKnobMultiControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* bitmap,
                    int direction = kVertical, double gearing = kDefaultGearing);

  bool Draw(IGraphics* graphics) override;

 protected:
  IBitmap mBitmap;
};

// A base, a mask rotated by the value's angle (degrees) and a top layer.
class IKnobRotatingMaskControl : public IKnobControl {
 public:
  IKnobRotatingMaskControl(IPlugBase* plug, int x, int y, int paramIdx, IBitmap* base,
                           IBitmap* mask, IBitmap* top, double minAngle = -135.0,
                           double maxAngle = 135.0, int direction = kVertical,
                           double gearing = kDefaultGearing);

  bool Draw(IGraphics* graphics) override;

 protected:
  IBitmap mBase, mMask, mTop;
  double mMinAngle, mMaxAngle;
};
