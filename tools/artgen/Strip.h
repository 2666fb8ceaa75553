#pragma once
// Frame strips: every frame starts as the background under the control's rectangle, so a
// strip drawn over the background shows exactly what the panel looks like there. A strip
// shared by several controls needs the same background under each of them; MakeStrip checks
// that and fails otherwise.

#include "Canvas.h"

#include <functional>
#include <stdexcept>

namespace artgen {

struct ArtError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Draws frame `index` (0-based) into `frame`, which holds the background on entry.
using FrameDrawer = std::function<void(LICE_IBitmap* frame, int index)>;

// The strip of a resource: its frames (count from the layout, size from FrameSizeOf)
// stacked vertically. Throws ArtError when the background differs under two of its places.
std::unique_ptr<LICE_MemBitmap> MakeStrip(LICE_IBitmap* background, int resource,
                                          const FrameDrawer& draw);

}  // namespace artgen
