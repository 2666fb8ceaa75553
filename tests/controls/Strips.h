// Frame strips made in the test: every frame one solid, distinct colour, so the colour a
// control drew names the frame it chose.
#pragma once

#include <memory>

#include "graphics/IGraphics.h"
#include "raster/LICE_Bitmap.h"

// Frame k (1-based) is (255, k, 255 - k, 77).
inline IColor FrameColor(int k) { return IColor(255, k, 255 - k, 77); }

struct Strip {
  std::unique_ptr<LICE_MemBitmap> mPixels;
  IBitmap mBitmap;

  Strip(int w, int frameH, int nFrames) : mPixels(new LICE_MemBitmap(w, frameH * nFrames)) {
    LICE_pixel* bits = mPixels->getBits();
    const int span = mPixels->getRowSpan();
    for (int y = 0; y < frameH * nFrames; ++y) {
      const LICE_pixel p = FrameColor(y / frameH + 1).ToPixel();
      for (int x = 0; x < w; ++x) bits[y * span + x] = p;
    }
    mBitmap = IBitmap(mPixels.get(), w, frameH * nFrames, nFrames);
  }
  IBitmap* Get() { return &mBitmap; }
};

// The frame whose colour the editor shows at (x, y); 0 when it is no frame colour.
inline int FrameAt(IGraphics* g, int x, int y) {
  const IColor c = g->GetPoint(x, y);
  return c == FrameColor(c.R) && c.R > 0 ? c.R : 0;
}
