// Rotated and scaled blits: exact reproduction at angle 0, exact quarter turns, the
// bilinear filter's edges, and clipping that does not move the image.
#include "RasterTestSupport.h"

#include <numbers>

using namespace rastertest;

namespace {
constexpr float kQuarterTurn = float(std::numbers::pi / 2);

void ExpectSame(LICE_IBitmap& a, LICE_IBitmap& b) {
  ASSERT_EQ(a.getWidth(), b.getWidth());
  for (int y = 0; y < a.getHeight(); ++y)
    for (int x = 0; x < a.getWidth(); ++x)
      ASSERT_EQ(LICE_GetPixel(&a, x, y), LICE_GetPixel(&b, x, y)) << "at " << x << "," << y;
}
}  // namespace

TEST(RotatedBlit, AngleZeroReproducesTheSourcePixelForPixel) {
  SeededRandom rnd(31337);
  SCOPED_TRACE(rnd.Trace());
  for (int size : {75, 8, 1})
    for (int mode : {LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR, int(LICE_BLIT_MODE_COPY)}) {
      LICE_MemBitmap src(size, size + 3), dst(size, size + 3);
      FillRandom(src, rnd);
      FillRandom(dst, rnd);
      LICE_RotatedBlit(&dst, &src, 0, 0, size, size + 3, 0, 0, float(size), float(size + 3), 0.0f,
                       false, 1.0f, mode, 0.0f, 0.0f);
      ExpectSame(dst, src);
    }
}

// A quarter turn clockwise shows source pixel (x = j, y = n − 1 − i) at destination (i, j).
// Samples are taken at pixel corners, so the caller moves the rotation centre by half a
// pixel to land every sample in the middle of a source pixel.
TEST(RotatedBlit, QuarterTurnRotatesAPatternExactly) {
  SeededRandom rnd(90);
  SCOPED_TRACE(rnd.Trace());
  for (int n : {8, 7, 75}) {
    LICE_MemBitmap src(n, n), dst(n, n);
    FillRandom(src, rnd);
    LICE_RotatedBlit(&dst, &src, 0, 0, n, n, 0, 0, float(n), float(n), kQuarterTurn, false, 1.0f,
                     LICE_BLIT_MODE_COPY, 0.5f, -0.5f);
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i)
        ASSERT_EQ(LICE_GetPixel(&dst, i, j), LICE_GetPixel(&src, j, n - 1 - i))
            << "n " << n << " at " << i << "," << j;
  }
}

TEST(RotatedBlit, BilinearSamplesLeftOfOrAboveTheSourceLeaveTheDestination) {
  LICE_MemBitmap src(2, 2), dst(4, 4);
  LICE_ClearRect(&src, 0, 0, 2, 2, 0, LICE_ARGB(255, 0, 0, 0));
  LICE_ClearRect(&dst, 0, 0, 4, 4, 0, 0x12345678);
  LICE_RotatedBlit(&dst, &src, 0, 0, 4, 4, 0, 0, 2, 2, 0.0f, false, 1.0f,
                   LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR, -1.0f, -1.0f);
  EXPECT_EQ(LICE_GetPixel(&dst, 1, 1), 0x12345678u);
  EXPECT_EQ(LICE_GetPixel(&dst, 2, 2), LICE_ARGB(255, 0, 0, 0));
}

// Eightfold enlargement samples at every eighth of a pixel: each result must be the
// per-channel bilinear formula, whatever two-channels-at-once arithmetic computes it.
TEST(RotatedBlit, BilinearSamplesEqualThePerChannelFormula) {
  SeededRandom rnd(6502);
  SCOPED_TRACE(rnd.Trace());
  constexpr int kW = 9, kH = 7, kScale = 8;
  LICE_MemBitmap src(kW, kH), dst(kW * kScale, kH * kScale);
  FillRandom(src, rnd);
  LICE_ScaledBlit(&dst, &src, 0, 0, kW * kScale, kH * kScale, 0, 0, kW, kH, 1.0f,
                  LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  for (int y = 0; y < kH * kScale; ++y)
    for (int x = 0; x < kW * kScale; ++x) {
      const int u = x / kScale, v = y / kScale;
      const int fx = (x % kScale) * 65536 / kScale, fy = (y % kScale) * 65536 / kScale;
      const int f = int((int64_t(fx) * fy) >> 16);
      auto p = [&](int i, int j, int c) {
        return int64_t(Channel(LICE_GetPixel(&src, std::min(i, kW - 1), std::min(j, kH - 1)), c));
      };
      int ch[4];
      for (int c = 0; c < 4; ++c) {
        if (u == kW - 1 && v == kH - 1)
          ch[c] = int(p(u, v, c));
        else if (v == kH - 1)
          ch[c] = int((p(u, v, c) * (65536 - fx) + p(u + 1, v, c) * fx) >> 16);
        else if (u == kW - 1)
          ch[c] = int((p(u, v, c) * (65536 - fy) + p(u, v + 1, c) * fy) >> 16);
        else
          ch[c] = int((p(u, v, c) * (65536 - fx - fy + f) + p(u + 1, v, c) * (fx - f) +
                       p(u, v + 1, c) * (fy - f) + p(u + 1, v + 1, c) * f) >>
                      16);
      }
      ASSERT_EQ(Hex(LICE_GetPixel(&dst, x, y)), Hex(FromChannels(ch))) << "at " << x << "," << y;
    }
}

TEST(RotatedBlit, ClipToSourceRectKeepsSamplesInsideTheSourceArea) {
  LICE_MemBitmap src(4, 1), dst(4, 1);
  for (int x = 0; x < 4; ++x) LICE_PutPixel(&src, x, 0, LICE_ARGB(255, x + 1, 0, 0), 1.0f, 0);
  LICE_ClearRect(&dst, 0, 0, 4, 1, 0, 0);
  LICE_RotatedBlit(&dst, &src, 0, 0, 4, 1, 1, 0, 2, 1, 0.0f, true, 1.0f, LICE_BLIT_MODE_COPY, 0, 0);
  // 4 destination columns over 2 source columns: samples at 1, 1.5, 2, 2.5.
  EXPECT_EQ(LICE_GetPixel(&dst, 0, 0), LICE_ARGB(255, 2, 0, 0));
  EXPECT_EQ(LICE_GetPixel(&dst, 3, 0), LICE_ARGB(255, 3, 0, 0));
  LICE_ClearRect(&dst, 0, 0, 4, 1, 0, 0);
  LICE_RotatedBlit(&dst, &src, 0, 0, 4, 1, 0, 0, 4, 1, 0.0f, true, 1.0f, LICE_BLIT_MODE_COPY, 1.5f,
                   0);
  EXPECT_EQ(LICE_GetPixel(&dst, 2, 0), LICE_ARGB(255, 4, 0, 0));
  EXPECT_EQ(LICE_GetPixel(&dst, 3, 0), 0u);  // column 5.5 lies outside
}

TEST(RotatedBlit, DestinationClippingDoesNotMoveTheImage) {
  SeededRandom rnd(2718);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap src(40, 30), big(120, 120), small(50, 50);
  FillRandom(src, rnd);
  for (float angle : {0.3f, -1.1f, 2.5f}) {
    LICE_ClearRect(&big, 0, 0, 120, 120, 0, 0);
    LICE_ClearRect(&small, 0, 0, 50, 50, 0, 0);
    LICE_RotatedBlit(&big, &src, 20, 30, 60, 50, 0, 0, 40, 30, angle, false, 1.0f,
                     LICE_BLIT_MODE_COPY, 0, 0);
    LICE_RotatedBlit(&small, &src, -20, -10, 60, 50, 0, 0, 40, 30, angle, false, 1.0f,
                     LICE_BLIT_MODE_COPY, 0, 0);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(LICE_GetPixel(&small, x, y), LICE_GetPixel(&big, x + 40, y + 40))
            << "angle " << angle << " at " << x << "," << y;
  }
}

TEST(ScaledBlit, NearestDoublingRepeatsEachPixel) {
  SeededRandom rnd(22);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap src(5, 4), dst(10, 8);
  FillRandom(src, rnd);
  LICE_ScaledBlit(&dst, &src, 0, 0, 10, 8, 0, 0, 5, 4, 1.0f, LICE_BLIT_MODE_COPY);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(LICE_GetPixel(&dst, x, y), LICE_GetPixel(&src, x / 2, y / 2));
}
