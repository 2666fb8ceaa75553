// Feeds arbitrary bytes to the PNG loader. Every input must either fail cleanly or give a
// raster of the size the header promised whose every pixel can be read.
#include "LICE_PNG.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  LICE_IBitmap* bm = LICE_LoadPNGFromMemory(data, size);
  if (!bm) return 0;
  const int w = bm->getWidth(), h = bm->getHeight(), span = bm->getRowSpan();
  const LICE_pixel* bits = bm->getBits();
  if (w <= 0 || h <= 0 || !bits || span < w) __builtin_trap();
  volatile LICE_pixel sum = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) sum = sum + bits[y * span + x];
  delete bm;
  return 0;
}
