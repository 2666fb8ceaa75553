#pragma once
// Shared by the raster tests: seeded random rasters, a bottom-up raster, and the
// pixel operators written out channel by channel as a reference.

#include "LICE.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace rastertest {
// A random engine whose seed is printed with every failure of the test that made it.
struct SeededRandom {
  explicit SeededRandom(unsigned seed) : seed(seed), engine(seed) {}
  LICE_pixel Pixel() { return LICE_pixel(engine()); }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine); }
  std::string Trace() const { return "random seed " + std::to_string(seed); }
  unsigned seed;
  std::mt19937 engine;
};

inline void FillRandom(LICE_IBitmap& bm, SeededRandom& rnd) {
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x) bm.getBits()[y * bm.getRowSpan() + x] = rnd.Pixel();
}

inline void Fill(LICE_IBitmap& bm, LICE_pixel color = 0) {
  LICE_ClearRect(&bm, 0, 0, bm.getWidth(), bm.getHeight(), 0, color);
}

inline std::string Hex(LICE_pixel p) {
  char text[16];
  snprintf(text, sizeof text, "%08X", p);
  return text;
}

// Row 0 in memory is the bottom row of the image.
class FlippedBitmap : public LICE_MemBitmap {
 public:
  using LICE_MemBitmap::LICE_MemBitmap;
  bool isFlipped() override { return true; }
};

inline int Channel(LICE_pixel p, int c) { return int((p >> (8 * c)) & 255); }
inline LICE_pixel FromChannels(const int ch[4]) {
  return LICE_pixel(ch[0] & 255) | LICE_pixel(ch[1] & 255) << 8 | LICE_pixel(ch[2] & 255) << 16 |
         LICE_pixel(ch[3] & 255) << 24;
}
inline int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// COPY, ADD and DODGE, with and without source alpha, channel by channel (0 = A).
inline LICE_pixel ReferenceBlend(LICE_pixel dst, LICE_pixel src, int ia, int mode) {
  int d[4], s[4];
  for (int c = 0; c < 4; ++c) d[c] = Channel(dst, c), s[c] = Channel(src, c);
  const bool useAlpha = mode & LICE_BLIT_USE_ALPHA;
  const int sA = s[0];
  const int a = ((sA + 1) * ia) / 256;
  switch (mode & 0xFF) {
    case LICE_BLIT_MODE_COPY:
      if (!useAlpha) {
        for (int c = 0; c < 4; ++c)
          d[c] = ia == 256 ? s[c] : s[c] + ((d[c] - s[c]) * (256 - ia)) / 256;
      } else if (sA == 0) {
      } else if (ia == 256 && sA == 255) {
        for (int c = 1; c < 4; ++c) d[c] = s[c];
        d[0] = 255;
      } else if (ia == 256) {
        for (int c = 1; c < 4; ++c) d[c] = s[c] + ((d[c] - s[c]) * (255 - sA)) / 256;
        d[0] = std::min(255, d[0] + sA);
      } else {
        for (int c = 1; c < 4; ++c) d[c] = s[c] + ((d[c] - s[c]) * (256 - a)) / 256;
        d[0] = std::min(255, d[0] + a);
      }
      break;
    case LICE_BLIT_MODE_ADD:
      if (!useAlpha)
        for (int c = 0; c < 4; ++c) d[c] = Clamp(d[c] + (s[c] * ia) / 256);
      else if (sA != 0) {
        for (int c = 1; c < 4; ++c) d[c] = Clamp(d[c] + (s[c] * a) / 256);
        d[0] = Clamp(d[0] + (a * sA) / 256);
      }
      break;
    case LICE_BLIT_MODE_DODGE:
      for (int c = 0; c < 4; ++c) {
        const int amount = !useAlpha ? (s[c] * ia) / 256
                           : c == 0  ? (a * sA) / 256
                                     : (s[c] * a) / 256;
        const int q = 256 - amount;
        d[c] = std::min(255, q >= 2 ? (d[c] * 256) / q : d[c] * 256);
      }
      break;
  }
  return FromChannels(d);
}
}  // namespace rastertest
