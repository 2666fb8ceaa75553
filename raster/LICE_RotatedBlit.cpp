#include "LICE.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace lice;

namespace
{
// A coordinate in 16.16 fixed point, truncated; limited so that extreme arguments cannot
// overflow the scan.
int64_t ToFixed(double v)
{
  const double f = v * 65536.0;
  if (!(f > -4.0e15)) return int64_t(-4.0e15);
  if (f > 4.0e15) return int64_t(4.0e15);
  return int64_t(f);
}

// The source area samples may come from: [left, right) × [top, bottom).
struct SampleArea
{
  int left, top, right, bottom;
};

int Lerp16(int a, int b, int f)
{
  return (a * (65536 - f) + b * f) >> 16;
}

// Bilinear sample at 16.16 (s, t); false where the destination pixel stays as it is.
bool SampleBilinear(const RasterView& src, const SampleArea& area, int64_t s, int64_t t,
                    LICE_pixel& out)
{
  const int64_t u = s >> 16, v = t >> 16;
  if (u < area.left || v < area.top || u >= area.right || v >= area.bottom) return false;
  const int fx = int(s & 0xFFFF), fy = int(t & 0xFFFF);
  const bool lastColumn = u == area.right - 1, lastRow = v == area.bottom - 1;
  const LICE_pixel* row = src.row(int(v)) + u;
  if (lastColumn && lastRow)
  {
    out = row[0];
    return true;
  }
  const uint8_t* p00 = reinterpret_cast<const uint8_t*>(row);
  uint8_t* o = reinterpret_cast<uint8_t*>(&out);
  if (lastRow)
  {
    for (int c = 0; c < 4; ++c) o[c] = uint8_t(Lerp16(p00[c], p00[c + 4], fx));
    return true;
  }
  const uint8_t* p01 = reinterpret_cast<const uint8_t*>(src.row(int(v) + 1) + u);
  if (lastColumn)
  {
    for (int c = 0; c < 4; ++c) o[c] = uint8_t(Lerp16(p00[c], p01[c], fy));
    return true;
  }
  const int f = int((int64_t(fx) * fy) >> 16);
  const int w00 = 65536 - fx - fy + f, w10 = fx - f, w01 = fy - f;
  for (int c = 0; c < 4; ++c)
    o[c] = uint8_t((p00[c] * w00 + p00[c + 4] * w10 + p01[c] * w01 + p01[c + 4] * f) >> 16);
  return true;
}

bool SampleNearest(const RasterView& src, const SampleArea& area, int64_t s, int64_t t,
                   LICE_pixel& out)
{
  const int64_t u = s >> 16, v = t >> 16;
  if (u < area.left || v < area.top || u >= area.right || v >= area.bottom) return false;
  out = src.row(int(v))[u];
  return true;
}

template <class Sampler, class Blend>
void Scan(const RasterView& d, const RasterView& s, const SampleArea& area, int x0, int y0, int w,
          int h, int64_t s0, int64_t t0, const int64_t step[4], int ia, Sampler&& sample,
          const Blend& blend)
{
  for (int y = 0; y < h; ++y)
  {
    LICE_pixel* out = d.row(y0 + y) + x0;
    int64_t su = s0, tv = t0;
    for (int x = 0; x < w; ++x, su += step[0], tv += step[1])
    {
      LICE_pixel p;
      if (sample(s, area, su, tv, p)) blend(PixelBytes(out + x), p, ia);
    }
    s0 += step[2];
    t0 += step[3];
  }
}
}  // namespace

void LICE_RotatedBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw,
                      int dsth, float srcx, float srcy, float srcw, float srch, float angle,
                      bool clipToSourceRect, float alpha, int mode, float rotXCentre,
                      float rotYCentre)
{
  if (!dest || !src || !dstw || !dsth) return;
  const RasterView d(dest);
  const RasterView s(src);
  if (d.empty() || s.empty()) return;

  SampleArea area{0, 0, s.width, s.height};
  if (clipToSourceRect)
  {
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
  if (x0 < 0)
  {
    s0 -= x0 * step[0];
    t0 -= x0 * step[1];
    w += x0;
    x0 = 0;
  }
  if (y0 < 0)
  {
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

void LICE_ScaledBlit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int dstw,
                     int dsth, float srcx, float srcy, float srcw, float srch, float alpha,
                     int mode)
{
  LICE_RotatedBlit(dest, src, dstx, dsty, dstw, dsth, srcx, srcy, srcw, srch, 0.0f, true, alpha,
                   mode, 0.0f, 0.0f);
}
