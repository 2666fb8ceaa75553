// Rasters and plain blits: sizes and spans, clipping at every edge, flipped rasters.
#include "RasterTestSupport.h"

using namespace rastertest;

TEST(Bitmaps, MemBitmapAlignsRowsKeepsItsBlockWhenShrinkingAndFreesItWhenEmpty) {
  LICE_MemBitmap bm(10, 3, 4);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bm.getBits()) % 64, 0u);
  EXPECT_EQ(LICE_MemBitmap(10, 3, 1).getRowSpan(), 10);
  EXPECT_EQ(LICE_MemBitmap(10, 3, 64).getRowSpan(), 16);  // alignment at most 16
  EXPECT_EQ(LICE_MemBitmap(10, 3, 12).getRowSpan(), 12);  // lowest power of two of 12 is 4

  LICE_pixel* block = bm.getBits();
  EXPECT_FALSE(bm.resize(10, 3));
  EXPECT_TRUE(bm.resize(5, 2));
  EXPECT_EQ(bm.getBits(), block);
  EXPECT_TRUE(bm.resize(0, 5));
  EXPECT_EQ(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getWidth(), 0);
  EXPECT_EQ(bm.getHeight(), 0);
  // A size whose byte count does not fit is refused, not wrapped to a small block.
  EXPECT_TRUE(bm.resize(70000, 70000));
  EXPECT_EQ(bm.getBits(), nullptr);
  EXPECT_EQ(bm.getWidth(), 0);
}

TEST(Bitmaps, SysBitmapHasAZeroedContextAndKeepsItWhenShrinking) {
  LICE_SysBitmap bm(10, 7);
  ASSERT_NE(bm.getDC(), nullptr);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bm.getBits()) % 64, 0u);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(bm.getBits()[y * 12 + x], 0u);
  LICE_DrawContext* dc = bm.getDC();
  EXPECT_TRUE(bm.resize(6, 5));
  EXPECT_EQ(bm.getDC(), dc);
  EXPECT_EQ(bm.getRowSpan(), 12);
  EXPECT_TRUE(bm.resize(20, 5));
  EXPECT_EQ(bm.getRowSpan(), 20);
  EXPECT_FALSE(bm.resize(0, 0));
  EXPECT_EQ(bm.getBits(), nullptr);
  LICE_FillRect(&bm, 0, 0, 5, 5, 0xFFFFFFFF, 1.0f, 0);  // nothing to draw into, no crash
}

// Every destination pixel (x, y) shows source pixel (x − dstx + left, y − dsty + top) when
// that lies inside both the source rectangle and the source; nothing else changes.
TEST(Blit, ClipsAtEveryEdgeOfSourceRectangleAndDestination) {
  SeededRandom rnd(1234);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap src(13, 9), dst(21, 17), before(21, 17);
  FillRandom(src, rnd);
  for (int round = 0; round < 3000; ++round) {
    FillRandom(dst, rnd);
    LICE_Copy(&before, &dst);
    const RECT r{rnd.Int(-16, 14), rnd.Int(-12, 10), 0, 0};
    const RECT sr{r.left, r.top, r.left + rnd.Int(-2, 30), r.top + rnd.Int(-2, 26)};
    const int dx = rnd.Int(-25, 24), dy = rnd.Int(-20, 20);
    LICE_Blit(&dst, &src, dx, dy, &sr, 1.0f, LICE_BLIT_MODE_COPY);
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 21; ++x) {
        const int sx = x - dx + sr.left, sy = y - dy + sr.top;
        const bool inside = sx >= std::max(0, sr.left) && sx < std::min(13, sr.right) &&
                            sy >= std::max(0, sr.top) && sy < std::min(9, sr.bottom);
        ASSERT_EQ(LICE_GetPixel(&dst, x, y),
                  inside ? LICE_GetPixel(&src, sx, sy) : LICE_GetPixel(&before, x, y))
            << "rect " << sr.left << "," << sr.top << "," << sr.right << "," << sr.bottom << " at "
            << dx << "," << dy << " pixel " << x << "," << y;
      }
  }
}

TEST(Blit, FlippedRastersAreWalkedFromTheirLastRowUpwards) {
  FlippedBitmap flipped(3, 4);
  LICE_MemBitmap plain(3, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) LICE_PutPixel(&flipped, x, y, LICE_ARGB(255, x, y, 0), 1.0f, 0);
  // Image row 0 lies in the last memory row.
  EXPECT_EQ(flipped.getBits()[3 * flipped.getRowSpan() + 2], LICE_ARGB(255, 2, 0, 0));

  for (float alpha : {1.0f, 0.75f}) {
    LICE_ClearRect(&plain, 0, 0, 3, 4, 0, 0);
    LICE_Blit(&plain, &flipped, 0, 1, 0, 0, 3, 3, alpha, LICE_BLIT_MODE_COPY);
    EXPECT_EQ(LICE_GetPixel(&plain, 1, 1),
              ReferenceBlend(0, LICE_ARGB(255, 1, 0, 0), int(alpha * 256), 0));
    EXPECT_EQ(LICE_GetPixel(&plain, 2, 3),
              ReferenceBlend(0, LICE_ARGB(255, 2, 2, 0), int(alpha * 256), 0));
  }
  // And into a flipped destination.
  FlippedBitmap back(3, 4);
  LICE_Blit(&back, &plain, 0, 0, nullptr, 1.0f, 0);
  EXPECT_EQ(back.getBits()[3 * back.getRowSpan() + 2], LICE_GetPixel(&plain, 2, 0));
}

TEST(Blit, OverlappingBlitWithinOneRasterMovesRowsIntact) {
  LICE_MemBitmap bm(4, 6);
  for (int y = 0; y < 6; ++y) LICE_FillRect(&bm, 0, y, 4, 1, LICE_ARGB(255, y, 0, 0), 1.0f, 0);
  LICE_Blit(&bm, &bm, 0, 2, 0, 0, 4, 4, 1.0f, 0);
  for (int y = 2; y < 6; ++y) EXPECT_EQ(LICE_GetPixel(&bm, 3, y), LICE_ARGB(255, y - 2, 0, 0));
}

TEST(Blit, CopyClearAndGetPixel) {
  LICE_MemBitmap src(5, 3), dst;
  LICE_ClearRect(&src, 0, 0, 5, 3, 0, LICE_ARGB(77, 1, 2, 3));
  LICE_Copy(&dst, &src);
  EXPECT_EQ(dst.getWidth(), 5);
  EXPECT_EQ(LICE_GetPixel(&dst, 4, 2), LICE_ARGB(77, 1, 2, 3));
  EXPECT_EQ(LICE_GetPixel(&dst, 5, 0), 0u);
  EXPECT_EQ(LICE_GetPixel(&dst, -1, 0), 0u);
  EXPECT_EQ(LICE_GetPixel(nullptr, 0, 0), 0u);

  // Mask 0xFFFFFF00 keeps the colour and clears alpha, only inside the clipped rectangle.
  LICE_ClearRect(&dst, -2, 1, 4, 9, 0xFFFFFF00u, 0);
  EXPECT_EQ(LICE_GetPixel(&dst, 1, 2), LICE_ARGB(0, 1, 2, 3));
  EXPECT_EQ(LICE_GetPixel(&dst, 2, 2), LICE_ARGB(77, 1, 2, 3));
  EXPECT_EQ(LICE_GetPixel(&dst, 0, 0), LICE_ARGB(77, 1, 2, 3));

  // Null rasters and zero alpha do nothing.
  LICE_MemBitmap one(1, 1);
  one.getBits()[0] = LICE_ARGB(255, 9, 8, 7);
  LICE_Blit(nullptr, &one, 0, 0, nullptr, 1.0f, 0);
  LICE_Blit(&dst, &one, 0, 0, nullptr, 0.0f, 0);
  EXPECT_EQ(LICE_GetPixel(&dst, 0, 0), LICE_ARGB(77, 1, 2, 3));
}

TEST(FillRect, ClipsNegativeAndOversizedRectangles) {
  LICE_MemBitmap bm(8, 8);
  LICE_ClearRect(&bm, 0, 0, 8, 8, 0, 0);
  LICE_FillRect(&bm, -3, -3, 5, 100, LICE_ARGB(255, 1, 1, 1), 1.0f, 0);
  EXPECT_EQ(LICE_GetPixel(&bm, 1, 7), LICE_ARGB(255, 1, 1, 1));
  EXPECT_EQ(LICE_GetPixel(&bm, 2, 0), 0u);
  LICE_FillRect(&bm, 2147483600, 0, 2147483647, 8, 0xFFFFFFFF, 1.0f, 0);
  LICE_FillRect(&bm, 7, 7, 2147483647, 2147483647, 0xFFFFFFFF, 1.0f, 0);
  EXPECT_EQ(LICE_GetPixel(&bm, 7, 7), 0xFFFFFFFFu);
  EXPECT_EQ(LICE_GetPixel(&bm, 6, 7), 0u);
}
