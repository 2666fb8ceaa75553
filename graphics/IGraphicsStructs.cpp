#include "IGraphicsStructs.h"

#include <algorithm>
#include <cstring>

const IColor COLOR_BLACK(255, 0, 0, 0);
const IColor COLOR_GRAY(255, 127, 127, 127);
const IColor COLOR_WHITE(255, 255, 255, 255);
const IColor COLOR_RED(255, 255, 0, 0);
const IColor COLOR_GREEN(255, 0, 255, 0);
const IColor COLOR_BLUE(255, 0, 0, 255);
const IColor COLOR_YELLOW(255, 255, 255, 0);
const IColor COLOR_ORANGE(255, 255, 127, 0);

IRECT IRECT::Intersect(const IRECT& o) const {
  if (!Intersects(o)) return IRECT();
  return IRECT(std::max(L, o.L), std::max(T, o.T), std::min(R, o.R), std::min(B, o.B));
}

IRECT IRECT::Union(const IRECT& o) const {
  if (Empty()) return o;
  if (o.Empty()) return *this;
  return IRECT(std::min(L, o.L), std::min(T, o.T), std::max(R, o.R), std::max(B, o.B));
}

namespace {
constexpr int kBlendModes[3] = {
    LICE_BLIT_MODE_COPY,                        // kBlendClobber: opaque copy
    LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA,   // kBlendAdd
    LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA  // kBlendColorDodge
};
}  // namespace

float LICE_BlendWeight(const IChannelBlend* blend) { return blend ? blend->mWeight : 1.0f; }

int LICE_BlendMode(const IChannelBlend* blend) {
  if (!blend) return LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
  const int i = blend->mMethod - 1;
  return i >= 0 && i < 3 ? kBlendModes[i] : LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
}

IText::IText(int size, const IColor& color, const char* face, int style, int align, int orientation,
             int quality)
    : mSize(size),
      mColor(color),
      mStyle(style),
      mAlign(align),
      mOrientation(orientation),
      mQuality(quality) {
  if (face) {
    std::strncpy(mFont, face, sizeof(mFont) - 1);
    mFont[sizeof(mFont) - 1] = '\0';
  }
}
