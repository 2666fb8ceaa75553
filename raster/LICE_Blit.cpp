#include "LICE.h"
#include "LICE_CopyRows.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"
#include "LICE_WordBlend.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace lice;

namespace {
// Applies rowFn(destRow, srcRow) to each of h rows. When both rasters are the same and the
// destination lies below the source, the rows are walked bottom-up so none is overwritten
// before it is read.
template <class RowFn>
void ForEachRow(const RasterView& d, const RasterView& s, int dx, int dy, int sx, int sy, int h,
                bool bottomUp, RowFn&& rowFn) {
  for (int i = 0; i < h; ++i) {
    const int r = bottomUp ? h - 1 - i : i;
    rowFn(d.row(dy + r) + dx, s.row(sy + r) + sx);
  }
}
}  // namespace

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, int srcx, int srcy,
               int srcw, int srch, float alpha, int mode) {
  const int64_t right = int64_t(srcx) + srcw;
  const int64_t bottom = int64_t(srcy) + srch;
  const RECT r{srcx, srcy, static_cast<int>(std::clamp<int64_t>(right, INT32_MIN, INT32_MAX)),
               static_cast<int>(std::clamp<int64_t>(bottom, INT32_MIN, INT32_MAX))};
  LICE_Blit(dest, src, dstx, dsty, &r, alpha, mode);
}

void LICE_Blit(LICE_IBitmap* dest, LICE_IBitmap* src, int dstx, int dsty, const RECT* srcRect,
               float alpha, int mode) {
  if (!dest || !src || alpha == 0.0f) return;
  const RasterView d(dest);
  const RasterView s(src);
  if (d.empty() || s.empty()) return;

  // Clip in 64 bits so extreme coordinates cannot overflow.
  int64_t sl = srcRect ? srcRect->left : 0, st = srcRect ? srcRect->top : 0;
  int64_t sr = srcRect ? srcRect->right : s.width, sb = srcRect ? srcRect->bottom : s.height;
  int64_t dx = dstx, dy = dsty;
  if (sl < 0) dx -= sl, sl = 0;
  if (st < 0) dy -= st, st = 0;
  sr = std::min<int64_t>(sr, s.width);
  sb = std::min<int64_t>(sb, s.height);
  if (dx < 0) sl -= dx, dx = 0;
  if (dy < 0) st -= dy, dy = 0;
  const int64_t w64 = std::min(sr - sl, d.width - dx);
  const int64_t h64 = std::min(sb - st, d.height - dy);
  if (w64 <= 0 || h64 <= 0) return;
  const int w = int(w64), h = int(h64);
  const int x0 = int(dx), y0 = int(dy), sx = int(sl), sy = int(st);
  const bool bottomUp = dest == src && y0 > sy;

  const int op = mode & LICE_BLIT_MODE_MASK;
  if (op == LICE_BLIT_MODE_COPY && !(mode & LICE_BLIT_USE_ALPHA)) {
    if (alpha == 1.0f) {
      ForEachRow(d, s, x0, y0, sx, sy, h, bottomUp, [w](LICE_pixel* out, const LICE_pixel* in) {
        memmove(out, in, size_t(w) * sizeof(LICE_pixel));
      });
      return;
    }
    if (alpha == 0.5f) {
      ForEachRow(d, s, x0, y0, sx, sy, h, bottomUp, [w](LICE_pixel* out, const LICE_pixel* in) {
        for (int i = 0; i < w; ++i) out[i] = HalfMix(in[i], out[i]);
      });
      return;
    }
  }

  const int ia = WeightOf(alpha);
  if (ia == 0) return;
  if ((mode & (LICE_BLIT_MODE_MASK | LICE_BLIT_USE_ALPHA)) ==
      (LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA)) {
    ForEachRow(d, s, x0, y0, sx, sy, h, bottomUp,
               [&](LICE_pixel* out, const LICE_pixel* in) { CopySourceAlphaRow(out, in, w, ia); });
    return;
  }
  WithOperator(mode, [&](const auto& blend) {
    ForEachRow(d, s, x0, y0, sx, sy, h, bottomUp, [&](LICE_pixel* out, const LICE_pixel* in) {
      for (int i = 0; i < w; ++i) blend(PixelBytes(out + i), in[i], ia);
    });
  });
}

void LICE_Copy(LICE_IBitmap* dest, LICE_IBitmap* src) {
  if (!dest || !src) return;
  dest->resize(src->getWidth(), src->getHeight());
  LICE_Blit(dest, src, 0, 0, nullptr, 1.0f, LICE_BLIT_MODE_COPY);
}
