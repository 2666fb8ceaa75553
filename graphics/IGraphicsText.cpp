// Text drawing and measuring through the process-wide font cache.
#include "FontCache.h"
#include "IGraphics.h"
#include "LICE_CachedFont.h"

bool IGraphics::DrawIText(IText* text, const char* str, IRECT* r, bool measure) {
  if (!str || !str[0]) return true;
  if (!text || !r) return true;
  LICE_IFont* font = text->mCached;
  if (!font) {
    font = FontCache::Get(*text);
    if (!font) return false;
    text->mCached = font;
  }
  font->SetTextColor(text->mColor.ToPixel());
  unsigned flags = LICE_DT_NOCLIP;
  if (text->mColor.A < 255) flags |= LICE_DT_USEFGALPHA;
  if (text->mAlign == IText::kAlignCenter) flags |= LICE_DT_CENTER;
  if (text->mAlign == IText::kAlignFar) flags |= LICE_DT_RIGHT;

  if (measure) {
    RECT extent{0, 0, 0, 0};
    font->DrawText(mDrawBitmap.get(), str, -1, &extent, flags | LICE_DT_CALCRECT);
    const int w = extent.right, h = extent.bottom;
    if (text->mAlign == IText::kAlignCenter) {
      r->L = static_cast<int>(r->MW()) - w / 2;
      r->R = r->L + w;
    } else if (text->mAlign == IText::kAlignFar) {
      r->L = r->R - w;
    } else {
      r->R = r->L + w;
    }
    r->B = r->T + h;
    return true;
  }
  RECT rect{r->L, r->T, r->R, r->B};
  font->DrawText(mDrawBitmap.get(), str, -1, &rect, flags);
  return true;
}
