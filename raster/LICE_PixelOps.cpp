#include "LICE_PixelOps.h"

namespace lice {
// Hue runs over 1536 steps (256 per sextant), saturation and value over 0..255.
void AdjustHsv(const uint8_t* d, LICE_pixel s, int out[3]) {
  const int r = d[LICE_PIXEL_R], g = d[LICE_PIXEL_G], b = d[LICE_PIXEL_B];
  const int hi = std::max({r, g, b}), lo = std::min({r, g, b}), delta = hi - lo;
  int hue = 0;
  if (delta > 0) {
    if (hi == r)
      hue = (256 * (g - b)) / delta;
    else if (hi == g)
      hue = 512 + (256 * (b - r)) / delta;
    else
      hue = 1024 + (256 * (r - g)) / delta;
  }
  int sat = hi > 0 ? (delta * 255) / hi : 0;
  int val = hi;

  hue = ((hue + SourceByte(s, LICE_PIXEL_R) * 6) % 1536 + 1536) % 1536;
  sat = std::min(255, (sat * SourceByte(s, LICE_PIXEL_G)) / 128);
  val = std::min(255, (val * SourceByte(s, LICE_PIXEL_B)) / 128);

  const int sextant = hue / 256, f = hue % 256;
  const int p = (val * (255 - sat)) / 255;
  const int q = (val * (255 - (sat * f) / 256)) / 255;
  const int t = (val * (255 - (sat * (256 - f)) / 256)) / 255;
  const int table[6][3] = {{val, t, p}, {q, val, p}, {p, val, t},
                           {p, q, val}, {t, p, val}, {val, p, q}};
  for (int c = 0; c < 3; ++c) out[c] = table[sextant][c];
}
}  // namespace lice
