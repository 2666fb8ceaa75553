// Every operator against its formula written out channel by channel, and every word-parallel
// shortcut against the per-channel form it stands for.
#include "RasterTestSupport.h"

using namespace rastertest;

namespace {
const int kWeights[] = {256, 192, 128, 64, 1, 77, 129, 255};
const int kModes[] = {LICE_BLIT_MODE_COPY,
                      LICE_BLIT_MODE_ADD,
                      LICE_BLIT_MODE_DODGE,
                      LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA,
                      LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA,
                      LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA};

// Source pixels with alpha 0, 255 and anything between.
LICE_pixel SourcePixel(SeededRandom& rnd, int i) {
  const LICE_pixel p = rnd.Pixel();
  return i % 3 == 0 ? p & ~0xFFu : i % 3 == 1 ? p | 0xFF : p;
}

LICE_pixel PutOne(LICE_pixel dst, LICE_pixel src, int ia, int mode) {
  LICE_MemBitmap bm(1, 1);
  bm.getBits()[0] = dst;
  LICE_PutPixel(&bm, 0, 0, src, float(ia) / 256.0f, mode);
  return bm.getBits()[0];
}

int PerChannelShiftMix(LICE_pixel a, LICE_pixel b, int c, int ia) {
  const int x = Channel(a, c), y = Channel(b, c);  // a: destination, b: colour
  switch (ia) {
    case 192:
      return (x >> 2) + (y >> 2) + (y >> 1);
    case 128:
      return (x >> 1) + (y >> 1);
    default:
      return (x >> 2) + (y >> 2) + (x >> 1);  // 64
  }
}
}  // namespace

TEST(PixelOperators, PutPixelFollowsTheFormulaOfEveryOperatorWeightAndSourceAlpha) {
  SeededRandom rnd(20261206);
  SCOPED_TRACE(rnd.Trace());
  for (int mode : kModes)
    for (int ia : kWeights)
      for (int i = 0; i < 600; ++i) {
        const LICE_pixel d = rnd.Pixel(), s = SourcePixel(rnd, i);
        const LICE_pixel expected = ReferenceBlend(d, s, ia, mode);
        const LICE_pixel got = PutOne(d, s, ia, mode);
        ASSERT_EQ(got, expected) << "mode " << std::hex << mode << std::dec << " weight " << ia
                                 << " d " << Hex(d) << " s " << Hex(s);
      }
}

TEST(PixelOperators, BlitAppliesTheOperatorToEveryPixel) {
  SeededRandom rnd(7700);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap src(37, 11), dst(37, 11);
  for (int mode : kModes)
    for (int ia : kWeights) {
      // COPY at exactly 1/2 is the word-parallel mix, checked below.
      if (mode == LICE_BLIT_MODE_COPY && ia == 128) continue;
      FillRandom(dst, rnd);
      for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x)
          src.getBits()[y * src.getRowSpan() + x] = SourcePixel(rnd, x + y);
      LICE_MemBitmap before(37, 11);
      LICE_Copy(&before, &dst);
      LICE_Blit(&dst, &src, 0, 0, 0, 0, 37, 11, float(ia) / 256.0f, mode);
      for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x)
          ASSERT_EQ(LICE_GetPixel(&dst, x, y), ReferenceBlend(LICE_GetPixel(&before, x, y),
                                                              LICE_GetPixel(&src, x, y), ia, mode))
              << "mode " << mode << " weight " << ia << " at " << x << "," << y;
    }
}

TEST(PixelOperators, WeightIsTruncatedAlphaTimes256AndLimited) {
  const LICE_pixel d = LICE_ARGB(10, 200, 100, 50), s = LICE_ARGB(250, 0, 255, 7);
  EXPECT_EQ(PutOne(d, s, 0, 0), d);
  LICE_MemBitmap bm(1, 1);
  bm.getBits()[0] = d;
  LICE_PutPixel(&bm, 0, 0, s, 0.3f, LICE_BLIT_MODE_COPY);  // int(76.8) = 76
  EXPECT_EQ(bm.getBits()[0], ReferenceBlend(d, s, 76, LICE_BLIT_MODE_COPY));
  bm.getBits()[0] = d;
  LICE_PutPixel(&bm, 0, 0, s, 3.0f, LICE_BLIT_MODE_COPY);  // more than 1 counts as 1
  EXPECT_EQ(bm.getBits()[0], s);
  bm.getBits()[0] = d;
  LICE_PutPixel(&bm, 0, 0, s, std::nanf(""), LICE_BLIT_MODE_ADD);
  EXPECT_EQ(bm.getBits()[0], d);
}

// Fills at 3/4, 1/2 and 1/4 and the blit at 1/2 shift each byte instead of blending.
TEST(WordParallelShortcuts, FillsAtThreeQuartersHalfAndQuarterAndTheHalfBlitShiftEachByte) {
  SeededRandom rnd(4242);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap bm(64, 16), before(64, 16), src(64, 16);
  auto expectShifted = [&](auto colorAt, int ia, const char* what) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 64; ++x) {
        const LICE_pixel d = LICE_GetPixel(&before, x, y), color = colorAt(x, y);
        int ch[4];
        for (int c = 0; c < 4; ++c) ch[c] = PerChannelShiftMix(d, color, c, ia);
        ASSERT_EQ(LICE_GetPixel(&bm, x, y), FromChannels(ch))
            << what << " weight " << ia << " d " << Hex(d) << " colour " << Hex(color);
      }
  };
  for (int ia : {192, 128, 64})
    for (int round = 0; round < 8; ++round) {
      FillRandom(bm, rnd);
      LICE_Copy(&before, &bm);
      const LICE_pixel color = rnd.Pixel();
      LICE_FillRect(&bm, 0, 0, 64, 16, color, float(ia) / 256.0f, LICE_BLIT_MODE_COPY);
      expectShifted([&](int, int) { return color; }, ia, "fill");
    }
  FillRandom(src, rnd);
  FillRandom(bm, rnd);
  LICE_Copy(&before, &bm);
  LICE_Blit(&bm, &src, 0, 0, nullptr, 0.5f, LICE_BLIT_MODE_COPY);
  expectShifted([&](int x, int y) { return LICE_GetPixel(&src, x, y); }, 128, "blit");
}

TEST(WordParallelShortcuts, ExactWordBlendOfFillsAndLinesEqualsTheCopyFormula) {
  SeededRandom rnd(99);
  SCOPED_TRACE(rnd.Trace());
  LICE_MemBitmap bm(301, 2), before(301, 2);  // 301: rows end in a partial group of four
  for (int ia : {255, 191, 100, 76, 63, 1, 192, 128, 64})
    for (int round = 0; round < 20; ++round) {
      FillRandom(bm, rnd);
      LICE_Copy(&before, &bm);
      const LICE_pixel color = rnd.Pixel();
      const float alpha = float(ia) / 256.0f;
      // Row 0 a horizontal line; row 1 a fill (its 192/128/64 forms are the shift mixes).
      LICE_Line(&bm, 0, 0, 300, 0, color, alpha, LICE_BLIT_MODE_COPY, false);
      const bool fillExact = ia != 192 && ia != 128 && ia != 64;
      if (fillExact) LICE_FillRect(&bm, 0, 1, 301, 1, color, alpha, LICE_BLIT_MODE_COPY);
      for (int x = 0; x < 301; ++x) {
        ASSERT_EQ(LICE_GetPixel(&bm, x, 0),
                  ReferenceBlend(LICE_GetPixel(&before, x, 0), color, ia, 0))
            << "line, weight " << ia << " d " << Hex(LICE_GetPixel(&before, x, 0)) << " c "
            << Hex(color);
        if (fillExact) {
          ASSERT_EQ(LICE_GetPixel(&bm, x, 1),
                    ReferenceBlend(LICE_GetPixel(&before, x, 1), color, ia, 0))
              << "fill, weight " << ia;
        }
      }
    }
}

TEST(FillRect, ColourAlphaScalesTheWeightWithUseAlpha) {
  LICE_MemBitmap bm(4, 4);
  LICE_ClearRect(&bm, 0, 0, 4, 4, 0, LICE_ARGB(255, 200, 200, 200));
  LICE_FillRect(&bm, 0, 0, 4, 4, LICE_ARGB(0, 0, 0, 0), 1.0f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(LICE_GetPixel(&bm, 2, 2), LICE_ARGB(255, 200, 200, 200));
  // Colour alpha 128 → weight int(128/255 · 256) = 128, the half mix.
  LICE_FillRect(&bm, 0, 0, 4, 4, LICE_ARGB(128, 0, 100, 255), 1.0f, LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(LICE_GetPixel(&bm, 3, 3), LICE_ARGB(127 + 64, 100, 100 + 50, 100 + 127));
}

TEST(PixelOperators, MultiplyOverlayHsvAndChannelCopyFollowTheirDocumentedFormulas) {
  const LICE_pixel d = LICE_ARGB(200, 100, 30, 220);
  // MUL: white keeps, black clears, full weight.
  EXPECT_EQ(PutOne(d, 0xFFFFFFFF, 256, LICE_BLIT_MODE_MUL), d);
  EXPECT_EQ(PutOne(d, 0, 256, LICE_BLIT_MODE_MUL), 0u);
  // With source alpha the destination alpha stays; half alpha moves halfway.
  EXPECT_EQ(PutOne(d, LICE_ARGB(255, 0, 0, 0), 256, LICE_BLIT_MODE_MUL | LICE_BLIT_USE_ALPHA),
            LICE_ARGB(200, 0, 0, 0));
  EXPECT_EQ(PutOne(d, LICE_ARGB(0, 0, 0, 0), 256, LICE_BLIT_MODE_MUL | LICE_BLIT_USE_ALPHA), d);
  // OVERLAY: dark destinations multiply, light ones screen.
  const LICE_pixel o = PutOne(LICE_ARGB(255, 64, 200, 128), LICE_ARGB(255, 128, 128, 255), 256,
                              LICE_BLIT_MODE_OVERLAY);
  EXPECT_EQ(o, LICE_ARGB(255, (2 * 128 * 64) / 255, 255 - (2 * 127 * 55) / 255, 255));
  // HSVADJ: a half turn of hue makes red cyan; (0, 128, 128) keeps a grey; alpha stays.
  EXPECT_EQ(
      PutOne(LICE_ARGB(9, 255, 0, 0), LICE_ARGB(0, 128, 128, 128), 256, LICE_BLIT_MODE_HSVADJ),
      LICE_ARGB(9, 0, 255, 255));
  EXPECT_EQ(PutOne(LICE_ARGB(9, 90, 90, 90), LICE_ARGB(0, 0, 128, 128), 256, LICE_BLIT_MODE_HSVADJ),
            LICE_ARGB(9, 90, 90, 90));
  // Value doubled and limited to 255: (90, 90, 200) has v 200, s 140 → (115, 115, 255).
  EXPECT_EQ(
      PutOne(LICE_ARGB(9, 90, 90, 200), LICE_ARGB(0, 0, 128, 255), 256, LICE_BLIT_MODE_HSVADJ),
      LICE_ARGB(9, 115, 115, 255));
  // Channel copy: source blue (3) into destination alpha (0), weight 1/2.
  EXPECT_EQ(PutOne(d, LICE_ARGB(1, 2, 3, 100), 128, LICE_BLIT_MODE_CHANCOPY | 3 | 0 << 2),
            LICE_ARGB(200 + ((100 - 200) * 128) / 256, 100, 30, 220));
  // An operator the mode word does not know draws nothing.
  EXPECT_EQ(PutOne(d, 0, 256, 9), d);
}
