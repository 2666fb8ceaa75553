// ControlPeakMeter: a frame strip showing a level in dB, linear in dB from the minimum (frame
// 1) to 0 dB (the last frame); levels above 0 dB show the last frame. The level comes from an
// IMeterSource that the processing feeds; the audio thread never touches the control.
//
// The meter is dirty only when the frame it would draw differs from the one it drew last (or
// something else marked it dirty), so a resting meter costs one level read per editor frame.
// Each time the editor looks at it, drawn or not, the source's held peak starts again: the
// meter holds its peak until the next redraw.
//
// Threads: editor thread only (IsDirty, Draw); the source handles the audio thread.
#pragma once

#include <optional>

#include "IControl.h"
#include "IMeterSource.h"

class ControlPeakMeter : public IControl {
 public:
  ControlPeakMeter(IPlugBase* plug, IRECT rect, IBitmap* bitmap, IMeterSource* source);

  bool IsDirty() override;
  bool Draw(IGraphics* graphics) override;

  // The frame the source's current level asks for.
  int CurrentFrame() const;

 protected:
  IBitmap mBitmap;
  IMeterSource* mSource;  // not owned
  int mDrawnFrame = 0;    // none yet
  // Every pixel of the strip is opaque: frames are copied row by row instead of blended,
  // which gives the same pixels. Found at the first drawing (editor thread), not in the
  // constructor, so instances whose editor never draws do not scan the strip.
  std::optional<bool> mOpaque;
};
