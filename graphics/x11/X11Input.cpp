#include "X11Input.h"

#include <X11/keysym.h>

#include <cstdlib>

namespace x11input {

IMouseMod MouseMod(unsigned state, bool rightButton) {
  const bool shift = state & ShiftMask;
  const bool control = state & ControlMask;
  const bool alt = state & Mod1Mask;
  if (rightButton) return IMouseMod(false, true, shift, control, alt);
  return IMouseMod(true, (state & Mod4Mask) != 0, shift, control, alt);
}

int EngineKeyCode(unsigned long keysym) {
  switch (keysym) {
    case XK_space:
      return KEY_SPACE;
    case XK_Up:
      return KEY_UPARROW;
    case XK_Down:
      return KEY_DOWNARROW;
    case XK_Left:
      return KEY_LEFTARROW;
    case XK_Right:
      return KEY_RIGHTARROW;
    default:
      break;
  }
  if (keysym >= XK_0 && keysym <= XK_9) return KEY_DIGIT_0 + static_cast<int>(keysym - XK_0);
  if (keysym >= XK_a && keysym <= XK_z) return KEY_ALPHA_A + static_cast<int>(keysym - XK_a);
  if (keysym >= XK_A && keysym <= XK_Z) return KEY_ALPHA_A + static_cast<int>(keysym - XK_A);
  return -1;
}

bool DoubleClickDetector::Press(uint32_t timeMs, int x, int y) {
  const bool isDouble = mArmed && timeMs - mTime <= kMaxIntervalMs &&
                        std::abs(x - mX) <= kMaxDistance && std::abs(y - mY) <= kMaxDistance;
  mArmed = !isDouble;
  mTime = timeMs;
  mX = x;
  mY = y;
  return isDouble;
}

}  // namespace x11input
