#pragma once
// Pixel words, rectangles and blit mode words shared by every raster operation.
//
// A pixel is one 32-bit word, not premultiplied, holding the bytes A, R, G, B in memory
// order. Read as a little-endian word that is A | R << 8 | G << 16 | B << 24, so the alpha
// of a colour argument is its low byte.

#include <cstdint>

using LICE_pixel = uint32_t;

// Byte offsets of the channels inside a pixel, in memory order.
enum { LICE_PIXEL_A = 0, LICE_PIXEL_R = 1, LICE_PIXEL_G = 2, LICE_PIXEL_B = 3 };

constexpr LICE_pixel LICE_ARGB(unsigned a, unsigned r, unsigned g, unsigned b) {
  return (a & 255) | (r & 255) << 8 | (g & 255) << 16 | (b & 255) << 24;
}
constexpr unsigned LICE_GETA(LICE_pixel p) { return p & 255; }
constexpr unsigned LICE_GETR(LICE_pixel p) { return (p >> 8) & 255; }
constexpr unsigned LICE_GETG(LICE_pixel p) { return (p >> 16) & 255; }
constexpr unsigned LICE_GETB(LICE_pixel p) { return p >> 24; }

// Integer rectangle; right and bottom are exclusive.
struct RECT {
  int left, top, right, bottom;
};

// Blit mode word: the operator in the low byte, plus the filter and source-alpha flags.
enum {
  LICE_BLIT_MODE_COPY = 0,
  LICE_BLIT_MODE_ADD = 1,
  LICE_BLIT_MODE_DODGE = 2,
  LICE_BLIT_MODE_MUL = 3,
  LICE_BLIT_MODE_OVERLAY = 4,
  LICE_BLIT_MODE_HSVADJ = 5,
  // 0xF0 and above: copy one channel; bits 0-1 source channel, bits 2-3 destination channel
  // (memory byte order: 0 A, 1 R, 2 G, 3 B).
  LICE_BLIT_MODE_CHANCOPY = 0xF0,
  LICE_BLIT_MODE_MASK = 0xFF,
  LICE_BLIT_FILTER_BILINEAR = 0x100,
  LICE_BLIT_USE_ALPHA = 0x10000,
};
