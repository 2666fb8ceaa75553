// How X input events become the engine's mouse modifiers, key codes and double clicks. Pure
// functions of the event fields, so they are tested without a server.
//
// Threads: the editor thread (the detector keeps state); the functions have none.
#pragma once

#include <X11/X.h>

#include <cstdint>

#include "graphics/IGraphicsStructs.h"

namespace x11input {

// Modifiers of a pointer event (state as in the X event, before the event's own button):
// Shift, Control and Alt (Mod1) as S, C and A. For a left-button event, a move or the wheel
// L is set and R stands for the Super key (Mod4), which plays the Command key's part: a
// Super-click acts as a right click. For a right-button event L is clear and R set.
IMouseMod MouseMod(unsigned state, bool rightButton);

// The engine's key code for a key symbol (space, arrows, digits, letters of either case), or
// -1 for keys the editor leaves to the host.
int EngineKeyCode(unsigned long keysym);

// Decides whether a left press completes a double click: the previous press was no more than
// kMaxInterval ms earlier and no more than kMaxDistance pixels away (in each direction). A
// press that completes one starts no new pair, so a triple click is a double and a single.
class DoubleClickDetector {
 public:
  static constexpr uint32_t kMaxIntervalMs = 400;
  static constexpr int kMaxDistance = 4;

  bool Press(uint32_t timeMs, int x, int y);
  void Reset() { mArmed = false; }

 private:
  bool mArmed = false;
  uint32_t mTime = 0;
  int mX = 0, mY = 0;
};

}  // namespace x11input
