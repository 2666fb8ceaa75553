// Raster operations against references from the same run. Compare the pairs:
//   BlitCopy        / Memcpy            (900 × 620, target at most 1.2×)
//   BlitSourceAlpha / PixmanOver        (900 × 620)
//   RotatedBilinear / PixmanRotated     (75 × 75, source alpha, bilinear)
//   FillRect/w      / PixmanFill/w      (900 × 620 at weights 1.0, 0.5, 0.3)
//   TextCached      / TextNative        (40 characters at 12 px)
#include "LICE.h"
#include "LICE_CachedFont.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>

namespace {
constexpr int kW = 900, kH = 620;

void FillRandom(LICE_IBitmap& bm, unsigned seed) {
  std::mt19937 rnd(seed);
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x)
      bm.getBits()[y * bm.getRowSpan() + x] = LICE_pixel(rnd());
}

// A pixman image over a raster's own pixels (pixman's fastest 32-bit format; the byte order
// does not matter for timing).
pixman_image_t* Wrap(LICE_IBitmap& bm) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, bm.getWidth(), bm.getHeight(),
                                  reinterpret_cast<uint32_t*>(bm.getBits()), bm.getRowSpan() * 4);
}

void SetPixels(benchmark::State& state, int w, int h) {
  state.SetItemsProcessed(int64_t(state.iterations()) * w * h);
}

void Memcpy(benchmark::State& state) {
  LICE_MemBitmap src(kW, kH), dst(kW, kH);
  FillRandom(src, 1);
  for (auto _ : state) {
    memcpy(dst.getBits(), src.getBits(), size_t(kW) * kH * 4);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}
BENCHMARK(Memcpy);

void BlitCopy(benchmark::State& state) {
  LICE_MemBitmap src(kW, kH), dst(kW, kH);
  FillRandom(src, 1);
  for (auto _ : state) {
    LICE_Blit(&dst, &src, 0, 0, 0, 0, kW, kH, 1.0f, LICE_BLIT_MODE_COPY);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}
BENCHMARK(BlitCopy);

void BlitSourceAlpha(benchmark::State& state) {
  LICE_MemBitmap src(kW, kH), dst(kW, kH);
  FillRandom(src, 2);
  FillRandom(dst, 3);
  for (auto _ : state) {
    LICE_Blit(&dst, &src, 0, 0, 0, 0, kW, kH, 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}
BENCHMARK(BlitSourceAlpha);

void PixmanOver(benchmark::State& state) {
  LICE_MemBitmap src(kW, kH), dst(kW, kH);
  FillRandom(src, 2);
  FillRandom(dst, 3);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dst);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  SetPixels(state, kW, kH);
}
BENCHMARK(PixmanOver);

constexpr int kKnob = 75;
constexpr double kAngle = 0.7;

void RotatedBilinear(benchmark::State& state) {
  LICE_MemBitmap src(kKnob, kKnob), dst(kKnob, kKnob);
  FillRandom(src, 4);
  FillRandom(dst, 5);
  for (auto _ : state) {
    LICE_RotatedBlit(&dst, &src, 0, 0, kKnob, kKnob, 0, 0, kKnob, kKnob, float(kAngle), false, 1.0f,
                     LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA | LICE_BLIT_FILTER_BILINEAR, 0, 0);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kKnob, kKnob);
}
BENCHMARK(RotatedBilinear);

void PixmanRotated(benchmark::State& state) {
  LICE_MemBitmap src(kKnob, kKnob), dst(kKnob, kKnob);
  FillRandom(src, 4);
  FillRandom(dst, 5);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dst);
  // Destination → source: rotate about the centre.
  pixman_transform_t t;
  pixman_transform_init_identity(&t);
  const pixman_fixed_t c = pixman_double_to_fixed(kKnob / 2.0);
  pixman_transform_translate(&t, nullptr, -c, -c);
  pixman_transform_rotate(&t, nullptr, pixman_double_to_fixed(std::cos(kAngle)),
                          pixman_double_to_fixed(-std::sin(kAngle)));
  pixman_transform_translate(&t, nullptr, c, c);
  pixman_image_set_transform(s, &t);
  pixman_image_set_filter(s, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kKnob, kKnob);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(s);
  pixman_image_unref(d);
  SetPixels(state, kKnob, kKnob);
}
BENCHMARK(PixmanRotated);

const double kFillWeights[] = {1.0, 0.5, 0.3};

void FillRect(benchmark::State& state) {
  const float alpha = float(kFillWeights[state.range(0)]);
  LICE_MemBitmap dst(kW, kH);
  FillRandom(dst, 6);
  for (auto _ : state) {
    LICE_FillRect(&dst, 0, 0, kW, kH, LICE_ARGB(255, 30, 90, 200), alpha, LICE_BLIT_MODE_COPY);
    benchmark::ClobberMemory();
  }
  state.SetLabel("weight " + std::to_string(alpha).substr(0, 3));
  SetPixels(state, kW, kH);
}
BENCHMARK(FillRect)->DenseRange(0, 2);

// pixman_fill for an opaque colour, OVER of a translucent solid otherwise.
void PixmanFill(benchmark::State& state) {
  const double alpha = kFillWeights[state.range(0)];
  LICE_MemBitmap dst(kW, kH);
  FillRandom(dst, 6);
  pixman_image_t* d = Wrap(dst);
  const uint16_t a = uint16_t(alpha * 0xFFFF);
  const pixman_color_t color{uint16_t(0x1E1E * alpha), uint16_t(0x5A5A * alpha),
                             uint16_t(0xC8C8 * alpha), a};
  pixman_image_t* solid = pixman_image_create_solid_fill(&color);
  for (auto _ : state) {
    if (alpha == 1.0)
      pixman_fill(reinterpret_cast<uint32_t*>(dst.getBits()), dst.getRowSpan(), 32, 0, 0, kW, kH,
                  0xFF1E5AC8);
    else
      pixman_image_composite32(PIXMAN_OP_OVER, solid, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(solid);
  pixman_image_unref(d);
  state.SetLabel("weight " + std::to_string(alpha).substr(0, 3));
  SetPixels(state, kW, kH);
}
BENCHMARK(PixmanFill)->DenseRange(0, 2);

const char kLine[] = "Threshold -18.0 dB  Ratio 4.0:1  Gain 3x";  // 40 characters

// flags 0: opaque text through the native engine; LICE_DT_USEFGALPHA: the glyph cache.
void DrawTextLine(benchmark::State& state, unsigned flags) {
  LICE_SysBitmap dst(400, 20);
  LICE_CachedFont font;
  font.SetFromHFont(LICE_CreateNativeFont(12, 0, 0, 0, 400, false, 0, "Monaco"),
                    LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE);
  font.SetTextColor(LICE_ARGB(255, 0, 0, 0));
  for (auto _ : state) {
    RECT r{0, 2, 400, 20};
    benchmark::DoNotOptimize(font.DrawText(&dst, kLine, -1, &r, flags));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * 40);
}
void TextNative(benchmark::State& state) { DrawTextLine(state, 0); }
void TextCached(benchmark::State& state) { DrawTextLine(state, LICE_DT_USEFGALPHA); }
BENCHMARK(TextNative);
BENCHMARK(TextCached);
}  // namespace
