#include "LICE.h"
#include "LICE_CopyRows.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"
#include "LICE_WordBlend.h"

#include <algorithm>
#include <cstdint>

using namespace lice;

namespace {
struct ClippedRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
};

ClippedRect Clip(const RasterView& v, int x, int y, int w, int h) {
  const int64_t l = std::max<int64_t>(x, 0), t = std::max<int64_t>(y, 0);
  const int64_t r = std::min<int64_t>(int64_t(x) + w, v.width);
  const int64_t b = std::min<int64_t>(int64_t(y) + h, v.height);
  if (r <= l || b <= t) return {};
  return {int(l), int(t), int(r - l), int(b - t)};
}

template <class PixelFn>
void ForEachPixel(const RasterView& v, const ClippedRect& c, PixelFn&& fn) {
  for (int y = c.y; y < c.y + c.h; ++y) {
    LICE_pixel* row = v.row(y) + c.x;
    for (int i = 0; i < c.w; ++i) fn(row[i]);
  }
}
}  // namespace

void LICE_ClearRect(LICE_IBitmap* bitmap, int x, int y, int w, int h, LICE_pixel mask,
                    LICE_pixel orBits) {
  const RasterView v(bitmap);
  if (v.empty()) return;
  const ClippedRect c = Clip(v, x, y, w, h);
  ForEachPixel(v, c, [=](LICE_pixel& p) { p = (p & mask) | orBits; });
}

void LICE_FillRect(LICE_IBitmap* bitmap, int x, int y, int w, int h, LICE_pixel color, float alpha,
                   int mode) {
  const RasterView v(bitmap);
  if (v.empty()) return;
  if (mode & LICE_BLIT_USE_ALPHA) alpha *= float(LICE_GETA(color)) / 255.0f;
  const ClippedRect c = Clip(v, x, y, w, h);
  const int ia = WeightOf(alpha);
  if (c.empty() || ia == 0) return;

  if ((mode & LICE_BLIT_MODE_MASK) == LICE_BLIT_MODE_COPY) {
    switch (ia) {
      case 256:
        for (int row = c.y; row < c.y + c.h; ++row) FillRow(v.row(row) + c.x, color, c.w);
        return;
      case 192:
        ForEachPixel(v, c, [=](LICE_pixel& p) { p = ThreeQuarterMix(color, p); });
        return;
      case 128:
        ForEachPixel(v, c, [=](LICE_pixel& p) { p = HalfMix(p, color); });
        return;
      case 64:
        ForEachPixel(v, c, [=](LICE_pixel& p) { p = ThreeQuarterMix(p, color); });
        return;
      default:
        for (int row = c.y; row < c.y + c.h; ++row) CopyColorRow(v.row(row) + c.x, color, c.w, ia);
        return;
    }
  }
  // The colour's alpha is already in the weight: the operator works without source alpha.
  WithOperator(mode & ~LICE_BLIT_USE_ALPHA, [&](const auto& blend) {
    ForEachPixel(v, c, [&](LICE_pixel& p) { blend(PixelBytes(&p), color, ia); });
  });
}

void LICE_PutPixel(LICE_IBitmap* bitmap, int x, int y, LICE_pixel color, float alpha, int mode) {
  const RasterView v(bitmap);
  const int ia = WeightOf(alpha);
  if (v.empty() || !v.contains(x, y) || ia == 0) return;
  WithOperator(mode, [&](const auto& blend) { BlendAt(v, x, y, color, ia, blend); });
}

LICE_pixel LICE_GetPixel(LICE_IBitmap* bitmap, int x, int y) {
  const RasterView v(bitmap);
  if (v.empty() || !v.contains(x, y)) return 0;
  return v.row(y)[x];
}
