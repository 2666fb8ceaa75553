#pragma once
// Sizes of the artwork's frames and the rectangles the editor gives each control: a control
// placed by a point covers one frame of its strip, a hover knob its explicit rectangle.

#include "Canvas.h"
#include "product/TundraxLayout.h"

namespace artgen {

struct FrameSize {
  int width, height;
};

// The size of one frame of the resource's strip.
FrameSize FrameSizeOf(int resource);

// The editor's rectangle of a control (right and bottom exclusive).
RECT ControlRect(const tundrax::layout::Control& control);
inline Box ToBox(const RECT& r) {
  return {double(r.left), double(r.top), double(r.right), double(r.bottom)};
}

// The dB scale shared by the meters' strips and the ticks the background draws beside them:
// the lit length of a meter strip grows by kMeterPixelsPerDb for each dB, from the inner
// left edge (output) or the inner right edge (gain reduction).
inline constexpr int kMeterWidth = 726;
inline constexpr int kMeterHeight = 14;
inline constexpr int kMeterBezel = 3;
inline constexpr int kMeterPixelsPerDb = 15;
inline constexpr int kMeterRangeDb = 48;
static_assert(kMeterWidth == 2 * kMeterBezel + kMeterPixelsPerDb * kMeterRangeDb);

// The column (0 Warmth, 1 Boxiness, 2 Click) of the band a control belongs to; -1 for the
// compressor's controls.
int BandOf(const tundrax::layout::Control& control);

}  // namespace artgen
