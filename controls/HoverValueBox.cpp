#include "HoverValueBox.h"

bool DrawHoverValueBox(IGraphics* graphics, IRECT box, const HoverValueBoxStyle& style,
                       const std::string& text) {
  graphics->FillIRect(&style.mFill, &box);
  IText font(12, style.mText, "Monaco");
  IRECT textRect(box.L, box.T + 2, box.R, box.B);
  return graphics->DrawIText(&font, text.c_str(), &textRect);
}
