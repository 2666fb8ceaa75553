#pragma once
// Row and pixel access shared by the raster operations; honours isFlipped().

#include "LICE_Bitmap.h"
#include "LICE_PixelOps.h"

namespace lice {
struct RasterView {
  LICE_pixel* bits = nullptr;
  int width = 0;
  int height = 0;
  int span = 0;
  bool flipped = false;

  explicit RasterView(LICE_IBitmap* bm) {
    if (!bm) return;
    bits = bm->getBits();
    if (!bits) return;
    width = bm->getWidth();
    height = bm->getHeight();
    span = bm->getRowSpan();
    flipped = bm->isFlipped();
    if (width <= 0 || height <= 0) width = height = 0;
  }
  bool empty() const { return !bits || width <= 0 || height <= 0; }
  // Row y of the image (0 = top), wherever it lies in memory.
  LICE_pixel* row(int y) const {
    return bits + static_cast<long>(flipped ? height - 1 - y : y) * span;
  }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// Blends colour into the pixel at (x, y), which must lie inside the raster.
template <class Op>
inline void BlendAt(const RasterView& v, int x, int y, LICE_pixel color, int w, const Op& op) {
  op(PixelBytes(v.row(y) + x), color, w);
}
}  // namespace lice
