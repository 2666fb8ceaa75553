#include "IBitmapTextControl.h"

IBitmapTextControl::IBitmapTextControl(IPlugBase* plug, IRECT rect, IBitmap* font, const char* str,
                                       const IText* text, int charWidth, int charHeight,
                                       int charOffset, bool multiLine, bool vCentre)
    : IControl(plug, rect),
      mStr(str ? str : ""),
      mCharWidth(charWidth),
      mCharHeight(charHeight),
      mCharOffset(charOffset),
      mTextBitmap(*font),
      mMultiLine(multiLine),
      mVCentre(vCentre) {
  if (text) mText = *text;
}

void IBitmapTextControl::SetTextFromPlug(const char* str) {
  if (!str) str = "";
  if (mStr == str) return;
  SetDirty(false);
  mStr = str;
}

bool IBitmapTextControl::Draw(IGraphics* graphics) {
  const int len = static_cast<int>(mStr.size());
  if (len == 0 || mCharWidth < 1) return true;
  const int width = mRECT.W();
  int y = mVCentre ? mRECT.T + (mRECT.H() - mCharHeight) / 2 : mRECT.T;
  int x0 = mRECT.L;
  if (mText.mAlign == IText::kAlignFar) {
    x0 = mRECT.R - len * mCharWidth;
  } else if (mText.mAlign == IText::kAlignCenter) {
    x0 = mRECT.L + (width - len * mCharWidth) / 2;
  }
  int perLine = width / mCharWidth;
  int lines = 1;
  if (mMultiLine) {
    if (len * mCharWidth > width) {
      lines = len * mCharWidth / width + 1;
    } else {
      perLine = len;
    }
  }
  if (perLine < 1) return true;

  const IChannelBlend blend = GetBlend();
  bool ok = true;
  int c = 0;
  for (int line = 0; line < lines && c < len; ++line, y += mCharHeight) {
    int x = x0;
    for (int k = 0; k < perLine && c < len; ++k, ++c, x += mCharWidth + mCharOffset) {
      int frame = static_cast<unsigned char>(mStr[c]) - 31;
      if (frame < 1 || frame > mTextBitmap.N) frame = 1;
      IRECT r(x, y, x + mCharWidth, y + mCharHeight);
      ok &= graphics->DrawBitmap(&mTextBitmap, &r, frame, &blend);
    }
  }
  return ok;
}
