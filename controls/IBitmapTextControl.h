// IBitmapTextControl: text drawn from a bitmap font, one frame per character from the space
// (frame 1) upwards. Characters outside the font draw as a space. Lines wrap at the
// rectangle's width with multiLine, else the text is cut there. Editor thread only.
#pragma once

#include <string>

#include "IControl.h"

class IBitmapTextControl : public IControl {
 public:
  IBitmapTextControl(IPlugBase* plug, IRECT rect, IBitmap* font, const char* str = "",
                     const IText* text = nullptr, int charWidth = 6, int charHeight = 12,
                     int charOffset = 0, bool multiLine = false, bool vCentre = true);

  // Takes str and marks the control dirty when it differs from the text shown.
  void SetTextFromPlug(const char* str);
  bool Draw(IGraphics* graphics) override;

 protected:
  std::string mStr;
  int mCharWidth, mCharHeight, mCharOffset;
  IBitmap mTextBitmap;
  bool mMultiLine;
  bool mVCentre;
};
