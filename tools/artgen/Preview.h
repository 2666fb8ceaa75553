#pragma once
// Composites of the whole panel for judging the artwork: every control's frame drawn at its
// place the way the editor draws it (copy with source alpha; greyed controls at a quarter
// weight).

#include "Canvas.h"

#include <map>

namespace artgen {

// The strips by resource id.
using Strips = std::map<int, LICE_IBitmap*>;

// Every control at its first frame: all bands active, selectors and knobs at their lowest
// step, meters empty.
std::unique_ptr<LICE_MemBitmap> ComposeFirstFrames(const Strips& strips);
// Other states: Boxiness bypassed (its controls greyed), the other steps, knobs spread over
// their range, meters partly lit, and the Threshold knob's value box shown.
std::unique_ptr<LICE_MemBitmap> ComposeOtherStates(const Strips& strips);

}  // namespace artgen
