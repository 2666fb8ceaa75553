// The editor's presentation scale on X11: 1 (one screen pixel per editor pixel) or 2 (each
// editor pixel a 2 × 2 block). In order of precedence: the host's announced scale (1.5 and
// above gives 2), the TUNDRAX_SCALE environment variable ("1" or "2"), then the X resource
// Xft.dpi (192 and above gives 2). Everything else is 1.
#pragma once

#include <X11/Xlib.h>

namespace x11scale {

// The Xft.dpi value in an X resource string (as XResourceManagerString returns it), or 0.
double XftDpi(const char* resources);

// hostScale <= 0: the host said nothing. env: the variable's text or null. dpi: 0 unknown.
int Choose(float hostScale, const char* env, double dpi);

// Choose() with the environment and, when needed, the Xft.dpi of the default display (a short
// connection of its own, made once per process and only when neither the host nor the
// environment decide). Any thread.
int Detect(float hostScale);

}  // namespace x11scale
