// The drawing primitives: each maps the editor's value types onto raster operations on the
// back buffer. Every primitive ignores a bitmap without pixels.
#include <algorithm>
#include <cmath>

#include "IGraphics.h"
#include "LICE.h"

namespace {
bool HasPixels(const IBitmap* bitmap) { return bitmap && bitmap->mData; }

// Rotated blits always filter; a known blend keeps its operator, anything else copies with
// source alpha.
int RotatedMode(const IChannelBlend* blend) {
  if (blend && blend->mMethod >= kBlendClobber && blend->mMethod <= kBlendColorDodge) {
    return LICE_BLIT_FILTER_BILINEAR | LICE_BlendMode(blend);
  }
  return LICE_BLIT_FILTER_BILINEAR | LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA;
}
}  // namespace

void* IGraphics::GetBits() { return mDrawBitmap ? mDrawBitmap->getBits() : nullptr; }

bool IGraphics::DrawBitmap(IBitmap* bitmap, IRECT* dest, int srcX, int srcY,
                           const IChannelBlend* blend) {
  if (!HasPixels(bitmap) || !dest) return true;
  const IRECT r = dest->Intersect(mDrawRECT);
  if (r.W() <= 0 || r.H() <= 0) return true;
  srcX += r.L - dest->L;
  srcY += r.T - dest->T;
  LICE_Blit(mDrawBitmap.get(), bitmap->mData, r.L, r.T, srcX, srcY, r.W(), r.H(),
            LICE_BlendWeight(blend), LICE_BlendMode(blend));
  return true;
}

bool IGraphics::DrawBitmap(IBitmap* bitmap, IRECT* dest, int bmpState, const IChannelBlend* blend) {
  if (!HasPixels(bitmap) || !dest) return true;
  int srcX = 0, srcY = 0;
  if (bmpState >= 2 && bitmap->N >= 2) {
    // States past the last frame show the last frame.
    const int k = std::min(bmpState, bitmap->N) - 1;
    if (bitmap->mFramesAreHorizontal) {
      srcX = static_cast<int>(double(k) * double(bitmap->W) / double(bitmap->N) + 0.5);
    } else {
      srcY = static_cast<int>(double(k) * double(bitmap->H) / double(bitmap->N) + 0.5);
    }
  }
  return DrawBitmap(bitmap, dest, srcX, srcY, blend);
}

bool IGraphics::DrawRotatedBitmap(IBitmap* bitmap, int destCtrX, int destCtrY, double angle,
                                  int yOffsetZeroDeg, const IChannelBlend* blend) {
  if (!HasPixels(bitmap)) return true;
  const int W = bitmap->W, H = bitmap->H;
  LICE_RotatedBlit(mDrawBitmap.get(), bitmap->mData, destCtrX - W / 2, destCtrY - H / 2, W, H, 0.0f,
                   0.0f, static_cast<float>(W), static_cast<float>(H), static_cast<float>(angle),
                   false, LICE_BlendWeight(blend), RotatedMode(blend), 0.0f,
                   static_cast<float>(yOffsetZeroDeg));
  return true;
}

bool IGraphics::DrawRotatedMask(IBitmap* base, IBitmap* mask, IBitmap* top, int x, int y,
                                double angleDegrees, const IChannelBlend* blend) {
  if (!HasPixels(base) || !HasPixels(mask) || !HasPixels(top)) return true;
  const int W = base->W, H = base->H;
  const float xOffs = (W % 2) ? -0.5f : 0.0f;
  if (!mTmpBitmap) mTmpBitmap = std::make_unique<LICE_MemBitmap>(0, 0, 4);
  const double radians = angleDegrees * 3.141592653589793 / 180.0;
  LICE_Copy(mTmpBitmap.get(), base->mData);
  LICE_ClearRect(mTmpBitmap.get(), 0, 0, W, H, 0xFFFFFF00, 0);
  LICE_RotatedBlit(mTmpBitmap.get(), mask->mData, 0, 0, W, H, 0.0f, 0.0f, float(W), float(H),
                   static_cast<float>(radians), true, 1.0f,
                   LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR, xOffs,
                   0.0f);
  LICE_RotatedBlit(mTmpBitmap.get(), top->mData, 0, 0, W, H, 0.0f, 0.0f, float(W), float(H),
                   static_cast<float>(radians), true, 1.0f,
                   LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR, xOffs,
                   0.0f);
  const IRECT r = IRECT(x, y, x + W, y + H).Intersect(mDrawRECT);
  if (r.W() <= 0 || r.H() <= 0) return true;
  LICE_Blit(mDrawBitmap.get(), mTmpBitmap.get(), r.L, r.T, r.L - x, r.T - y, r.W(), r.H(),
            LICE_BlendWeight(blend), LICE_BlendMode(blend));
  return true;
}

bool IGraphics::DrawPoint(const IColor* color, float x, float y, const IChannelBlend* blend, bool) {
  if (!color) return true;
  LICE_PutPixel(mDrawBitmap.get(), static_cast<int>(x + 0.5f), static_cast<int>(y + 0.5f),
                color->ToPixel(), LICE_BlendWeight(blend), LICE_BlendMode(blend));
  return true;
}

bool IGraphics::ForcePixel(const IColor* color, int x, int y) {
  if (!color || !mDrawBitmap || !mDrawBitmap->getBits()) return true;
  if (x < 0 || y < 0 || x >= mDrawBitmap->getWidth() || y >= mDrawBitmap->getHeight()) return true;
  mDrawBitmap->getBits()[static_cast<size_t>(y) * size_t(mDrawBitmap->getRowSpan()) +
                         static_cast<size_t>(x)] = color->ToPixel();
  return true;
}

IColor IGraphics::GetPoint(int x, int y) {
  return IColor::FromPixel(LICE_GetPixel(mDrawBitmap.get(), x, y));
}

bool IGraphics::DrawLine(const IColor* color, float x1, float y1, float x2, float y2,
                         const IChannelBlend* blend, bool aa) {
  if (!color) return true;
  LICE_Line(mDrawBitmap.get(), static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
            static_cast<int>(y2), color->ToPixel(), LICE_BlendWeight(blend), LICE_BlendMode(blend),
            aa);
  return true;
}

bool IGraphics::DrawRect(const IColor* color, IRECT* r) {
  if (!color || !r) return true;
  LICE_IBitmap* b = mDrawBitmap.get();
  const LICE_pixel p = color->ToPixel();
  LICE_Line(b, r->L, r->T, r->R, r->T, p, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, r->L, r->B, r->R, r->B, p, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, r->L, r->T, r->L, r->B, p, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(b, r->R, r->T, r->R, r->B, p, 1.0f, LICE_BLIT_MODE_COPY, false);
  return true;
}

bool IGraphics::DrawVerticalLine(const IColor* color, int x, int yLo, int yHi) {
  if (!color) return true;
  LICE_Line(mDrawBitmap.get(), x, yLo, x, yHi, color->ToPixel(), 1.0f, LICE_BLIT_MODE_COPY, false);
  return true;
}

bool IGraphics::DrawHorizontalLine(const IColor* color, int y, int xLo, int xHi) {
  if (!color) return true;
  LICE_Line(mDrawBitmap.get(), xLo, y, xHi, y, color->ToPixel(), 1.0f, LICE_BLIT_MODE_COPY, false);
  return true;
}

bool IGraphics::DrawVerticalLine(const IColor* color, IRECT* r, float x) {
  if (!r) return true;
  x = std::clamp(x, 0.0f, 1.0f);  // a NaN stays NaN; the cast below then gives the edge
  const int col = r->L + static_cast<int>(std::isnan(x) ? 0.0f : x * float(r->W()));
  return DrawVerticalLine(color, col, r->T, r->B);
}

bool IGraphics::DrawHorizontalLine(const IColor* color, IRECT* r, float y) {
  if (!r) return true;
  y = std::clamp(y, 0.0f, 1.0f);
  const int row = r->B - static_cast<int>(std::isnan(y) ? 0.0f : y * float(r->H()));
  return DrawHorizontalLine(color, row, r->L, r->R);
}

bool IGraphics::DrawRadialLine(const IColor* color, float cx, float cy, float angle, float rMin,
                               float rMax, const IChannelBlend* blend, bool aa) {
  const float s = static_cast<float>(std::sin(double(angle)));
  const float c = static_cast<float>(std::cos(double(angle)));
  return DrawLine(color, cx + rMin * s, cy - rMin * c, cx + rMax * s, cy - rMax * c, blend, aa);
}

bool IGraphics::DrawArc(const IColor* color, float cx, float cy, float r, float minAngle,
                        float maxAngle, const IChannelBlend* blend, bool aa) {
  if (!color) return true;
  LICE_Arc(mDrawBitmap.get(), cx, cy, r, minAngle, maxAngle, color->ToPixel(),
           LICE_BlendWeight(blend), LICE_BlendMode(blend), aa);
  return true;
}

bool IGraphics::DrawCircle(const IColor* color, float cx, float cy, float r,
                           const IChannelBlend* blend, bool aa) {
  if (!color) return true;
  LICE_Circle(mDrawBitmap.get(), cx, cy, r, color->ToPixel(), LICE_BlendWeight(blend),
              LICE_BlendMode(blend), aa);
  return true;
}

bool IGraphics::FillCircle(const IColor* color, int cx, int cy, float r, const IChannelBlend* blend,
                           bool aa) {
  if (!color) return true;
  LICE_FillCircle(mDrawBitmap.get(), float(cx), float(cy), r, color->ToPixel(),
                  LICE_BlendWeight(blend), LICE_BlendMode(blend), aa);
  return true;
}

bool IGraphics::RoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int radius,
                          bool aa) {
  if (!color || !r) return true;
  LICE_RoundRect(mDrawBitmap.get(), float(r->L), float(r->T), float(r->W()), float(r->H()), radius,
                 color->ToPixel(), LICE_BlendWeight(blend), LICE_BlendMode(blend), aa);
  return true;
}

bool IGraphics::FillRoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int radius,
                              bool aa) {
  if (!color || !r) return true;
  LICE_IBitmap* b = mDrawBitmap.get();
  const LICE_pixel p = color->ToPixel();
  const float w = LICE_BlendWeight(blend);
  const int mode = LICE_BlendMode(blend);
  const int x = r->L, y = r->T, W = r->W(), H = r->H(), cr = radius;
  LICE_FillRect(b, x + cr, y, W - 2 * cr, H, p, w, mode);
  LICE_FillRect(b, x, y + cr, cr, H - 2 * cr, p, w, mode);
  LICE_FillRect(b, r->R - cr, y + cr, cr, H - 2 * cr, p, w, mode);
  LICE_FillCircle(b, float(x + cr), float(y + cr), float(cr), p, w, mode, aa);
  LICE_FillCircle(b, float(r->R - cr - 1), float(r->B - cr - 1), float(cr), p, w, mode, aa);
  LICE_FillCircle(b, float(r->R - cr - 1), float(y + cr), float(cr), p, w, mode, aa);
  LICE_FillCircle(b, float(x + cr), float(r->B - cr - 1), float(cr), p, w, mode, aa);
  return true;
}

bool IGraphics::FillIRect(const IColor* color, IRECT* r, const IChannelBlend* blend) {
  if (!color || !r) return true;
  LICE_FillRect(mDrawBitmap.get(), r->L, r->T, r->W(), r->H(), color->ToPixel(),
                LICE_BlendWeight(blend), LICE_BlendMode(blend));
  return true;
}

bool IGraphics::FillTriangle(const IColor* color, int x1, int y1, int x2, int y2, int x3, int y3,
                             const IChannelBlend* blend) {
  if (!color) return true;
  LICE_FillTriangle(mDrawBitmap.get(), x1, y1, x2, y2, x3, y3, color->ToPixel(),
                    LICE_BlendWeight(blend), LICE_BlendMode(blend));
  return true;
}

bool IGraphics::FillIConvexPolygon(const IColor* color, int* x, int* y, int n,
                                   const IChannelBlend* blend) {
  if (!color || !x || !y || n < 3) return true;
  LICE_FillConvexPolygon(mDrawBitmap.get(), x, y, n, color->ToPixel(), LICE_BlendWeight(blend),
                         LICE_BlendMode(blend));
  return true;
}
