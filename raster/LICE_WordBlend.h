#pragma once
// Word-parallel blends: all four bytes of a pixel in one integer operation.
//
// The shift-and-mask mixes are the fast fixed-weight forms used by blits and fills; they
// drop each byte's low bits before adding, so they may come out one below the COPY formula.
// CopyBlendWord is exact: it gives bit for bit what the COPY operator gives.

#include "LICE_Types.h"

namespace lice {
// Half of each: (a >> 1) + (b >> 1) per byte.
constexpr LICE_pixel HalfMix(LICE_pixel a, LICE_pixel b) {
  return ((a >> 1) & 0x7F7F7F7Fu) + ((b >> 1) & 0x7F7F7F7Fu);
}

// Three quarters of `major`, one quarter of `minor`: (major >> 1) + (major >> 2) + (minor >> 2).
constexpr LICE_pixel ThreeQuarterMix(LICE_pixel major, LICE_pixel minor) {
  return ((major >> 1) & 0x7F7F7F7Fu) + ((major >> 2) & 0x3F3F3F3Fu) + ((minor >> 2) & 0x3F3F3F3Fu);
}

// One half (two bytes, in 16-bit lanes) of the exact COPY blend below.
constexpr uint32_t CopyBlendLanes(uint32_t s, uint32_t d, uint32_t keep) {
  const uint32_t t = (d | 0x01000100u) - s;                // 256 + d − s per lane, 1..511
  const uint32_t up = ((t >> 8) & 0x00010001u) * 0xFFFFu;  // lanes where d >= s
  const uint32_t rise = (t & up) - (0x01000100u & up);     // d − s where d >= s
  const uint32_t fall = (0x01000100u & ~up) - (t & ~up);   // s − d where d < s
  return s + (((rise * keep) >> 8) & 0x00FF00FFu) - (((fall * keep) >> 8) & 0x00FF00FFu);
}

// Each byte becomes s + ((d − s) · (256 − w)) / 256 with truncation toward zero: the COPY
// operator at weight w (0..256), computed two bytes at a time.
constexpr LICE_pixel CopyBlendWord(LICE_pixel s, LICE_pixel d, int w) {
  const uint32_t keep = static_cast<uint32_t>(256 - w);
  const uint32_t even = CopyBlendLanes(s & 0x00FF00FFu, d & 0x00FF00FFu, keep);
  const uint32_t odd = CopyBlendLanes((s >> 8) & 0x00FF00FFu, (d >> 8) & 0x00FF00FFu, keep);
  return even | (odd << 8);
}
}  // namespace lice
