#include "LICE.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace lice;

namespace {
// A coordinate in 16.16 fixed point, truncated; limited so that extreme arguments cannot
// overflow the scan.
int64_t ToFixed(double v) {
  const double f = v * 65536.0;
  if (!(f > -4.0e15)) return int64_t(-4.0e15);
  if (f > 4.0e15) return int64_t(4.0e15);
  return int64_t(f);
}

// The source area samples may come from: [left, right) × [top, bottom).
struct SampleArea {
  int left, top, right, bottom;
};

// Bytes 0 and 2 (even) or 1 and 3 (odd) of a pixel in the two 32-bit halves of a word, so
// two channels are weighted by one multiply: 255 · 65536 stays below 2^32.
uint64_t Even(LICE_pixel p) { return (p & 0xFFu) | uint64_t(p & 0xFF0000u) << 16; }
uint64_t Odd(LICE_pixel p) { return ((p >> 8) & 0xFFu) | uint64_t(p >> 24) << 32; }
// Both halves shifted down by 16 and put back together.
LICE_pixel Join(uint64_t even, uint64_t odd) {
  constexpr uint64_t kLanes = 0x000000FF000000FFull;
  even = (even >> 16) & kLanes;
  odd = (odd >> 16) & kLanes;
  return LICE_pixel(even | even >> 16 | odd << 8 | odd >> 8);
}
LICE_pixel Lerp16(LICE_pixel a, LICE_pixel b, uint64_t f) {
  return Join(Even(a) * (65536 - f) + Even(b) * f, Odd(a) * (65536 - f) + Odd(b) * f);
}

// Bilinear sample at 16.16 (s, t); false where the destination pixel stays as it is.
bool SampleBilinear(const RasterView& src, const SampleArea& area, int64_t s, int64_t t,
                    LICE_pixel& out) {
  const int64_t u = s >> 16, v = t >> 16;
  if (u < area.left || v < area.top || u >= area.right || v >= area.bottom) return false;
  const uint64_t fx = uint64_t(s & 0xFFFF), fy = uint64_t(t & 0xFFFF);
  const bool lastColumn = u == area.right - 1, lastRow = v == area.bottom - 1;
  const LICE_pixel* row = src.row(int(v)) + u;
  if (lastColumn && lastRow)
    out = row[0];
  else if (lastRow)
    out = Lerp16(row[0], row[1], fx);
  else if (lastColumn)
    out = Lerp16(row[0], src.row(int(v) + 1)[u], fy);
  else {
    const LICE_pixel* below = src.row(int(v) + 1) + u;
    const uint64_t f = (fx * fy) >> 16;
    const uint64_t w00 = 65536 - fx - fy + f, w10 = fx - f, w01 = fy - f;
    out = Join(Even(row[0]) * w00 + Even(row[1]) * w10 + Even(below[0]) * w01 + Even(below[1]) * f,
               Odd(row[0]) * w00 + Odd(row[1]) * w10 + Odd(below[0]) * w01 + Odd(below[1]) * f);
  }
  return true;
}

bool SampleNearest(const RasterView& src, const SampleArea& area, int64_t s, int64_t t,
                   LICE_pixel& out) {
  const int64_t u = s >> 16, v = t >> 16;
  if (u < area.left || v < area.top || u >= area.right || v >= area.bottom) return false;
  out = src.row(int(v))[u];
  return true;
}

template <class Sampler, class Blend>
void Scan(const RasterView& d, const RasterView& s, const SampleArea& area, int x0, int y0, int w,
          int h, int64_t s0, int64_t t0, const int64_t step[4], int ia, Sampler&& sample,
          const Blend& blend) {
  for (int y = 0; y < h; ++y) {
    LICE_pixel* out = d.row(y0 + y) + x0;
    int64_t su = s0, tv = t0;
    for (int x = 0; x < w; ++x, su += step[0], tv += step[1]) {
      LICE_pixel p;
      if (sample(s, area, su, tv, p)) blend(PixelBytes(out + x), p, ia);
    }
    s0 += step[2];
    t0 += step[3];
  }
}
}  // namespace

void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                      float srcx, float srcy, float srcw, float srch, float angle,
                      bool clipToSourceRect, float alpha, int mode, float rotXCentre,
                      float rotYCentre) {
  if (!dest || !src || !dstw || !dsth) return;
  const RasterView d(dest);
  const RasterView s(src);
  if (d.empty() || s.empty()) return;

  SampleArea area{0, 0, s.width, s.height};
  if (clipToSourceRect) {
    auto bound = [](double v, int hi) { return int(std::clamp(v, 0.0, double(hi))); };
    area = {bound(srcx, s.width), bound(srcy, s.height), bound(double(srcx) + srcw, s.width),
            bound(double(srcy) + srch, s.height)};
  }

  int64_t x0 = dstx, y0 = dsty, w = dstw, h = dsth;
  if (w < 0) x0 += w, w = -w, srcx += srcw, srcw = -srcw;
  if (h < 0) y0 += h, h = -h, srcy += srch, srch = -srch;

  const double c = std::cos(double(angle)), sn = std::sin(double(angle));
  const float xs = srcw / float(w), ys = srch / float(h);
  const double dsdx = xs * c, dtdx = -sn * ys, dsdy = xs * sn, dtdy = c * ys;

  // Start so that the destination centre samples the rotation centre.
  srcx -= float(((double(w) * dsdx + double(h) * dsdy) - srcw) * 0.5 - rotXCentre);
  srcy -= float(((double(w) * dtdx + double(h) * dtdy) - srch) * 0.5 - rotYCentre);

  // Cut the destination, moving the fixed-point start along by whole steps so a clipped
  // blit samples exactly where the unclipped one does.
  const int64_t step[4] = {ToFixed(dsdx), ToFixed(dtdx), ToFixed(dsdy), ToFixed(dtdy)};
  int64_t s0 = ToFixed(srcx), t0 = ToFixed(srcy);
  if (x0 < 0) {
    s0 -= x0 * step[0];
    t0 -= x0 * step[1];
    w += x0;
    x0 = 0;
  }
  if (y0 < 0) {
    s0 -= y0 * step[2];
    t0 -= y0 * step[3];
    h += y0;
    y0 = 0;
  }
  w = std::min<int64_t>(w, d.width - x0);
  h = std::min<int64_t>(h, d.height - y0);
  const int ia = WeightOf(alpha);
  if (w <= 0 || h <= 0 || ia == 0) return;

  const bool bilinear = (mode & LICE_BLIT_FILTER_BILINEAR) != 0;
  WithOperator(mode, [&](const auto& blend) {
    if (bilinear)
      Scan(d, s, area, int(x0), int(y0), int(w), int(h), s0, t0, step, ia, SampleBilinear, blend);
    else
      Scan(d, s, area, int(x0), int(y0), int(w), int(h), s0, t0, step, ia, SampleNearest, blend);
  });
}

void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw, int dsth,
                     float srcx, float srcy, float srcw, float srch, float alpha, int mode) {
  LICE_RotatedBlit(dest, src, dstx, dsty, dstw, dsth, srcx, srcy, srcw, srch, 0.0f, true, alpha,
                   mode, 0.0f, 0.0f);
}
