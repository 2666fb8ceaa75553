#pragma once
// The pixel operators that blits, fills, lines and glyphs combine pixels with.
//
// Each operator combines a source pixel into the destination pixel d (four bytes in memory
// order A, R, G, B) with an integer weight w in 1..256. "x / 256" is C++ integer division,
// truncating toward zero, so negative differences round toward the source. The "...Alpha"
// operators weight each pixel by its source alpha: a = ((sA + 1) · w) / 256.
//
// COPY, ADD and DODGE follow the formulas the rest of the editor was drawn with. The others
// are ours:
// - MUL: p = (d · (s + 1)) / 256 (a source of 255 keeps d, 0 gives black), then
//   d += ((p − d) · w) / 256.
// - OVERLAY: p = d < 128 ? (2·s·d) / 255 : 255 − (2·(255 − s)·(255 − d)) / 255, blended the
//   same way.
// - HSVADJ: the source is an adjustment, not a colour: R turns the hue (R · 6 steps of a
//   1536-step circle), G scales the saturation and B the value by G/128 and B/128 (so
//   (R, G, B) = (0, 128, 128) is neutral). The adjusted colour is blended the same way;
//   the alpha byte is kept.
// Without source alpha MUL and OVERLAY act on all four channels; with it, on R, G and B only
// and the destination alpha is kept.
// - Channel copy: one byte of the source (channel index in bits 0-1 of the operator, memory
//   order) is blended into one byte of the destination (bits 2-3) with the COPY formula;
//   the source-alpha flag does not apply to it.

#include "LICE_Types.h"

#include <algorithm>
#include <cstdint>

namespace lice {
inline int SourceByte(LICE_pixel s, int channel) {
  return static_cast<int>((s >> (channel * 8)) & 255);
}
inline uint8_t Clamp255(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }
inline int SourceAlphaWeight(int sA, int w) { return ((sA + 1) * w) / 256; }
inline uint8_t BlendToward(int d, int target, int w) {
  return static_cast<uint8_t>(d + ((target - d) * w) / 256);
}

struct CopyOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    if (w >= 256) {
      for (int c = 0; c < 4; ++c) d[c] = static_cast<uint8_t>(SourceByte(s, c));
      return;
    }
    for (int c = 0; c < 4; ++c) {
      const int sc = SourceByte(s, c);
      d[c] = static_cast<uint8_t>(sc + ((d[c] - sc) * (256 - w)) / 256);
    }
  }
};

struct CopyAlphaOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    const int sA = SourceByte(s, LICE_PIXEL_A);
    if (sA == 0) return;
    int keep;
    int alphaAdd;
    if (w >= 256) {
      if (sA == 255) {
        for (int c = 1; c < 4; ++c) d[c] = static_cast<uint8_t>(SourceByte(s, c));
        d[LICE_PIXEL_A] = 255;
        return;
      }
      keep = 255 - sA;
      alphaAdd = sA;
    } else {
      alphaAdd = SourceAlphaWeight(sA, w);
      keep = 256 - alphaAdd;
    }
    for (int c = 1; c < 4; ++c) {
      const int sc = SourceByte(s, c);
      d[c] = static_cast<uint8_t>(sc + ((d[c] - sc) * keep) / 256);
    }
    d[LICE_PIXEL_A] = static_cast<uint8_t>(std::min(255, d[LICE_PIXEL_A] + alphaAdd));
  }
};

struct AddOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    for (int c = 0; c < 4; ++c) d[c] = Clamp255(d[c] + (SourceByte(s, c) * w) / 256);
  }
};

struct AddAlphaOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    const int sA = SourceByte(s, LICE_PIXEL_A);
    if (sA == 0) return;
    const int a = SourceAlphaWeight(sA, w);
    for (int c = 1; c < 4; ++c) d[c] = Clamp255(d[c] + (SourceByte(s, c) * a) / 256);
    d[LICE_PIXEL_A] = Clamp255(d[LICE_PIXEL_A] + (a * sA) / 256);
  }
};

// d · 256 / (256 − amount), limited to 255; amount is the weighted source.
inline uint8_t Dodge(int d, int amount) {
  const int q = 256 - amount;
  return static_cast<uint8_t>(std::min(255, q >= 2 ? (d * 256) / q : d * 256));
}

struct DodgeOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    for (int c = 0; c < 4; ++c) d[c] = Dodge(d[c], (SourceByte(s, c) * w) / 256);
  }
};

struct DodgeAlphaOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    const int sA = SourceByte(s, LICE_PIXEL_A);
    const int a = SourceAlphaWeight(sA, w);
    for (int c = 1; c < 4; ++c) d[c] = Dodge(d[c], (SourceByte(s, c) * a) / 256);
    d[LICE_PIXEL_A] = Dodge(d[LICE_PIXEL_A], (a * sA) / 256);
  }
};

inline int Multiply(int d, int s) { return (d * (s + 1)) / 256; }
inline int Overlay(int d, int s) {
  return d < 128 ? (2 * s * d) / 255 : 255 - (2 * (255 - s) * (255 - d)) / 255;
}

// MUL and OVERLAY share their weighting; Combine is Multiply or Overlay.
template <int (*Combine)(int, int), bool UseAlpha>
struct BlendFormulaOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    int first = 0;
    if constexpr (UseAlpha) {
      const int sA = SourceByte(s, LICE_PIXEL_A);
      if (sA == 0) return;
      w = SourceAlphaWeight(sA, w);
      first = 1;
    }
    for (int c = first; c < 4; ++c) d[c] = BlendToward(d[c], Combine(d[c], SourceByte(s, c)), w);
  }
};
using MulOp = BlendFormulaOp<Multiply, false>;
using MulAlphaOp = BlendFormulaOp<Multiply, true>;
using OverlayOp = BlendFormulaOp<Overlay, false>;
using OverlayAlphaOp = BlendFormulaOp<Overlay, true>;

// Adjusts the colour bytes d[1..3] by the hue turn and scales held in s.
void AdjustHsv(const uint8_t* d, LICE_pixel s, int out[3]);

template <bool UseAlpha>
struct HsvAdjustOp {
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    if constexpr (UseAlpha) {
      const int sA = SourceByte(s, LICE_PIXEL_A);
      if (sA == 0) return;
      w = SourceAlphaWeight(sA, w);
    }
    int adjusted[3];
    AdjustHsv(d, s, adjusted);
    for (int c = 0; c < 3; ++c) d[c + 1] = BlendToward(d[c + 1], adjusted[c], w);
  }
};

struct ChannelCopyOp {
  int from;
  int to;
  void operator()(uint8_t* d, LICE_pixel s, int w) const {
    d[to] = BlendToward(d[to], SourceByte(s, from), std::min(w, 256));
  }
};

// Calls body(op) with the operator the mode word selects; returns false (and calls nothing)
// for a mode that draws nothing.
template <class Body>
bool WithOperator(int mode, Body&& body) {
  const int op = mode & LICE_BLIT_MODE_MASK;
  const bool useAlpha = (mode & LICE_BLIT_USE_ALPHA) != 0;
  if (op >= LICE_BLIT_MODE_CHANCOPY) {
    body(ChannelCopyOp{op & 3, (op >> 2) & 3});
    return true;
  }
  switch (op) {
    case LICE_BLIT_MODE_COPY:
      useAlpha ? body(CopyAlphaOp{}) : body(CopyOp{});
      return true;
    case LICE_BLIT_MODE_ADD:
      useAlpha ? body(AddAlphaOp{}) : body(AddOp{});
      return true;
    case LICE_BLIT_MODE_DODGE:
      useAlpha ? body(DodgeAlphaOp{}) : body(DodgeOp{});
      return true;
    case LICE_BLIT_MODE_MUL:
      useAlpha ? body(MulAlphaOp{}) : body(MulOp{});
      return true;
    case LICE_BLIT_MODE_OVERLAY:
      useAlpha ? body(OverlayAlphaOp{}) : body(OverlayOp{});
      return true;
    case LICE_BLIT_MODE_HSVADJ:
      useAlpha ? body(HsvAdjustOp<true>{}) : body(HsvAdjustOp<false>{});
      return true;
    default:
      return false;
  }
}

// The integer weight of a float alpha: int(alpha · 256), limited to 0..256 (NaN gives 0).
inline int WeightOf(float alpha) {
  if (!(alpha > 0.0f)) return 0;
  if (alpha >= 1.0f) return 256;
  return static_cast<int>(alpha * 256.0f);
}

inline uint8_t* PixelBytes(LICE_pixel* p) { return reinterpret_cast<uint8_t*>(p); }
}  // namespace lice
