// How pointer gestures turn into value changes, shared by knobs and faders: shift or the
// control key means fine adjustment, ten times slower.
#pragma once

#include "graphics/IGraphicsStructs.h"

inline bool IsFineAdjust(const IMouseMod* mod) { return mod && (mod->S || mod->C); }

// A wheel of d steps moves the value by 0.01 per step, 0.001 when fine.
inline double WheelDelta(const IMouseMod* mod, int d) {
  return (IsFineAdjust(mod) ? 0.001 : 0.01) * d;
}
