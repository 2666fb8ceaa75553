#include "LICE.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"
#include "LICE_WordBlend.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace lice;

namespace {
// Fills pixels first..last (clipped) of one row or column with the operator. COPY without
// source alpha blends whole words with CopyBlendWord, which gives the operator's result.
void DrawStraight(const RasterView& v, bool vertical, int fixed, int a, int b, LICE_pixel color,
                  int ia, int mode) {
  const int limit = vertical ? v.height : v.width;
  if (fixed < 0 || fixed >= (vertical ? v.width : v.height)) return;
  const int first = std::max(std::min(a, b), 0);
  const int last = std::min(std::max(a, b), limit - 1);
  if (first > last) return;
  auto pixel = [&](int i) -> LICE_pixel& { return vertical ? v.row(i)[fixed] : v.row(fixed)[i]; };

  if ((mode & (LICE_BLIT_MODE_MASK | LICE_BLIT_USE_ALPHA)) == LICE_BLIT_MODE_COPY) {
    for (int i = first; i <= last; ++i)
      pixel(i) = ia >= 256 ? color : CopyBlendWord(color, pixel(i), ia);
    return;
  }
  WithOperator(mode, [&](const auto& blend) {
    for (int i = first; i <= last; ++i) blend(PixelBytes(&pixel(i)), color, ia);
  });
}

// A sloped segment walked one step at a time along its longer (major) axis. Step i lies at
// major coordinate a0 + i·aStep; its ideal minor offset is i·m/n.
struct SlopedWalk {
  bool steep;  // major axis is y
  int64_t a0, b0;
  int aStep, bStep;
  int64_t n, m;
  int64_t firstStep, lastStep;  // steps whose major coordinate lies inside the raster

  SlopedWalk(const RasterView& v, int x1, int y1, int x2, int y2) {
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    steep = std::llabs(dy) > std::llabs(dx);
    a0 = steep ? y1 : x1;
    b0 = steep ? x1 : y1;
    const int64_t da = steep ? dy : dx, db = steep ? dx : dy;
    aStep = da < 0 ? -1 : 1;
    bStep = db < 0 ? -1 : 1;
    n = std::llabs(da);
    m = std::llabs(db);
    const int64_t majorSize = steep ? v.height : v.width;
    const int64_t lo = aStep > 0 ? -a0 : a0 - (majorSize - 1);
    const int64_t hi = aStep > 0 ? majorSize - 1 - a0 : a0;
    firstStep = std::max<int64_t>(lo, 0);
    lastStep = std::min<int64_t>(hi, n);
  }

  // Plots (major, minor) if it lies inside the raster.
  template <class Plot>
  void At(const RasterView& v, int64_t step, int64_t minorOffset, int weight, Plot&& plot) const {
    const int64_t a = a0 + aStep * step, b = b0 + bStep * minorOffset;
    const int64_t x = steep ? b : a, y = steep ? a : b;
    if (weight > 0 && x >= 0 && y >= 0 && x < v.width && y < v.height) plot(int(x), int(y), weight);
  }
};

// Bresenham: the minor offset of step i is i·m/n rounded to nearest (halves up), tracked as
// quotient and remainder of (2·i·m + n) / 2n so clipping never moves a pixel.
template <class Plot>
void WalkBresenham(const RasterView& v, const SlopedWalk& w, int ia, Plot&& plot) {
  const __int128 num = __int128(2) * w.firstStep * w.m + w.n;
  int64_t q = int64_t(num / (2 * w.n)), r = int64_t(num % (2 * w.n));
  for (int64_t i = w.firstStep; i <= w.lastStep; ++i) {
    w.At(v, i, q, ia, plot);
    r += 2 * w.m;
    if (r >= 2 * w.n) r -= 2 * w.n, ++q;
  }
}

// Anti-aliased: step i splits ia between the pixels at floor(i·m/n) and the next one, in
// proportion to the ideal line's distance from each.
template <class Plot>
void WalkAntiAliased(const RasterView& v, const SlopedWalk& w, int ia, Plot&& plot) {
  const __int128 num = __int128(w.firstStep) * w.m;
  int64_t q = int64_t(num / w.n), r = int64_t(num % w.n);
  for (int64_t i = w.firstStep; i <= w.lastStep; ++i) {
    const int far = int((int64_t(ia) * r) / w.n);
    w.At(v, i, q, ia - far, plot);
    w.At(v, i, q + 1, far, plot);
    r += w.m;
    if (r >= w.n) r -= w.n, ++q;
  }
}
}  // namespace

void LICE_Line(LICE_IBitmap* bitmap, int x1, int y1, int x2, int y2, LICE_pixel color, float alpha,
               int mode, bool aa) {
  const RasterView v(bitmap);
  const int ia = WeightOf(alpha);
  if (v.empty() || ia == 0) return;
  if (y1 == y2) return DrawStraight(v, false, y1, x1, x2, color, ia, mode);
  if (x1 == x2) return DrawStraight(v, true, x1, y1, y2, color, ia, mode);

  const SlopedWalk walk(v, x1, y1, x2, y2);
  WithOperator(mode, [&](const auto& blend) {
    auto plot = [&](int x, int y, int weight) { BlendAt(v, x, y, color, weight, blend); };
    if (aa)
      WalkAntiAliased(v, walk, ia, plot);
    else
      WalkBresenham(v, walk, ia, plot);
  });
}
