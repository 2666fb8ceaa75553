// The value box a knob shows while the pointer is over it: a filled box with the parameter's
// display string centred in it, two pixels below the box's top.
#pragma once

#include <string>

#include "graphics/IGraphics.h"

struct HoverValueBoxStyle {
  IColor mFill;
  IColor mText;
};

bool DrawHoverValueBox(IGraphics* graphics, IRECT box, const HoverValueBoxStyle& style,
                       const std::string& text);
