// Each editor test program runs its own Xvfb (no window manager), started before the first
// test and ended after the last; DISPLAY points at it meanwhile. The tests' own connection
// (for looking at windows and pixels) treats any X error on it as a test failure instead of
// exiting, and counts them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Xlib stays out of the tests' headers (its macros clash with GoogleTest's names).
typedef struct _XDisplay Display;

namespace x11test {

// The tests' connection to the server (made on first use).
Display* TestDisplay();
// X errors seen on the tests' connection so far.
int TestDisplayErrors();

// A window's pixels as 0xRRGGBB, row by row; empty when the window is gone.
std::vector<uint32_t> WindowPixels(unsigned long window);
// The deepest viewable window of this size under root (a host's embedded editor), or 0.
unsigned long FindViewableWindow(int width, int height);

// Runs a command line of xdotool words against the server, e.g. "mousemove 10 20 click 1".
void XDo(const std::string& words);

}  // namespace x11test
