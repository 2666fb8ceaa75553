// Lines and shapes: end points, clipping that keeps every pixel where it was, anti-aliasing
// weights, and shapes that cover what they should, each pixel once.
#include "RasterTestSupport.h"

#include <cmath>
#include <numbers>

using namespace rastertest;

namespace {
constexpr LICE_pixel kOne = 0x01010101;  // ADD of this counts how often a pixel was drawn

int Count(LICE_IBitmap& bm, int x, int y) { return int(LICE_GETR(LICE_GetPixel(&bm, x, y))); }

// Pixels drawn, and checks that none was drawn twice.
int CountDrawnOnce(LICE_IBitmap& bm) {
  int drawn = 0;
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x) {
      EXPECT_LE(Count(bm, x, y), 1) << "pixel " << x << "," << y << " drawn twice";
      drawn += Count(bm, x, y);
    }
  return drawn;
}
}  // namespace

TEST(Line, IncludesBothEndPointsAndDrawsOnePixelPerStep) {
  LICE_MemBitmap bm(20, 20);
  Fill(bm);
  LICE_Line(&bm, 2, 3, 13, 8, kOne, 1.0f, LICE_BLIT_MODE_ADD, false);
  EXPECT_EQ(Count(bm, 2, 3), 1);
  EXPECT_EQ(Count(bm, 13, 8), 1);
  for (int x = 2; x <= 13; ++x) {
    int column = 0;
    for (int y = 0; y < 20; ++y) column += Count(bm, x, y);
    EXPECT_EQ(column, 1) << "column " << x;
  }
  EXPECT_EQ(CountDrawnOnce(bm), 12);

  // Straight lines, both directions, through the word path and the operator path.
  Fill(bm);
  LICE_Line(&bm, 15, 4, 3, 4, 0xFFFFFFFF, 1.0f, LICE_BLIT_MODE_COPY, false);
  LICE_Line(&bm, 1, 18, 1, 6, kOne, 1.0f, LICE_BLIT_MODE_ADD, true);
  EXPECT_EQ(LICE_GetPixel(&bm, 3, 4), 0xFFFFFFFFu);
  EXPECT_EQ(LICE_GetPixel(&bm, 15, 4), 0xFFFFFFFFu);
  EXPECT_EQ(LICE_GetPixel(&bm, 16, 4), 0u);
  EXPECT_EQ(Count(bm, 1, 6), 1);
  EXPECT_EQ(Count(bm, 1, 18), 1);
  EXPECT_EQ(Count(bm, 1, 5), 0);
}

// Lines with ends far outside a small raster draw exactly the pixels the same lines draw
// on a raster large enough to hold them.
TEST(Line, ClippingKeepsEveryPixelWhereTheWholeLinePutsIt) {
  SeededRandom rnd(8086);
  SCOPED_TRACE(rnd.Trace());
  constexpr int kMargin = 300;
  LICE_MemBitmap small(40, 30), large(40 + 2 * kMargin, 30 + 2 * kMargin);
  for (bool aa : {false, true}) {
    Fill(small);
    Fill(large);
    for (int i = 0; i < 200; ++i) {
      const int x1 = rnd.Int(-kMargin, 39 + kMargin), y1 = rnd.Int(-kMargin, 29 + kMargin);
      const int x2 = rnd.Int(-kMargin, 39 + kMargin), y2 = rnd.Int(-kMargin, 29 + kMargin);
      LICE_Line(&small, x1, y1, x2, y2, kOne, 1.0f, LICE_BLIT_MODE_ADD, aa);
      LICE_Line(&large, x1 + kMargin, y1 + kMargin, x2 + kMargin, y2 + kMargin, kOne, 1.0f,
                LICE_BLIT_MODE_ADD, aa);
    }
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_EQ(LICE_GetPixel(&small, x, y), LICE_GetPixel(&large, x + kMargin, y + kMargin))
            << (aa ? "anti-aliased" : "plain") << " at " << x << "," << y;
  }
  // Extreme coordinates neither overflow nor hang, and a line crossing the raster shows.
  Fill(small);
  LICE_Line(&small, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kOne, 1.0f, LICE_BLIT_MODE_ADD,
            false);
  LICE_Line(&small, INT32_MIN, 5, INT32_MAX, 5, kOne, 1.0f, LICE_BLIT_MODE_ADD, true);
  EXPECT_EQ(Count(small, 0, 5), 1);
  EXPECT_EQ(Count(small, 39, 5), 1);
}

TEST(Line, AntiAliasingSplitsEachStepBetweenTheTwoNearestPixels) {
  LICE_MemBitmap bm(40, 20);
  Fill(bm);
  LICE_Line(&bm, 0, 2, 30, 13, 0xFFFFFFFF, 1.0f, LICE_BLIT_MODE_ADD, true);
  for (int x = 0; x <= 30; ++x) {
    const double ideal = 2.0 + x * 11.0 / 30.0;
    int total = 0, nearest = 0;
    for (int y = 0; y < 20; ++y) {
      const int v = Count(bm, x, y);
      total += v;
      if (v && std::fabs(y - ideal) > 1.0)
        ADD_FAILURE() << "pixel " << x << "," << y << " too far from the line";
      if (std::fabs(y - ideal) <= 0.5) nearest = std::max(nearest, v);
    }
    EXPECT_GE(total, 253) << "column " << x;
    EXPECT_LE(total, 255) << "column " << x;
    EXPECT_GE(nearest, 127) << "column " << x;
  }
  // End points get the full weight.
  EXPECT_EQ(Count(bm, 0, 2), 255);
  EXPECT_EQ(Count(bm, 30, 13), 255);
}

TEST(Line, FlippedRasterMirrorsRows) {
  FlippedBitmap bm(10, 10);
  Fill(bm);
  LICE_Line(&bm, 1, 1, 8, 4, kOne, 1.0f, LICE_BLIT_MODE_ADD, false);
  EXPECT_EQ(Count(bm, 1, 1), 1);
  EXPECT_EQ(LICE_GETR(bm.getBits()[8 * bm.getRowSpan() + 1]), 1u);
}

TEST(Shapes, TrianglesAndPolygonsCoverThePixelsWhoseCentresTheyContain) {
  LICE_MemBitmap bm(30, 30);
  Fill(bm);
  LICE_FillTriangle(&bm, 0, 0, 10, 0, 0, 10, kOne, 1.0f, LICE_BLIT_MODE_ADD);
  EXPECT_EQ(CountDrawnOnce(bm), 66);  // x, y >= 0 and x + y <= 10
  EXPECT_EQ(Count(bm, 5, 5), 1);
  EXPECT_EQ(Count(bm, 6, 5), 0);

  Fill(bm);
  const int xs[] = {20, 25, 25, 20}, ys[] = {-3, -3, 4, 4};
  LICE_FillConvexPolygon(&bm, xs, ys, 4, kOne, 1.0f, LICE_BLIT_MODE_ADD);
  EXPECT_EQ(CountDrawnOnce(bm), 6 * 5);  // clipped at the top

  // Colour alpha folds into the weight; alpha 0 draws nothing.
  Fill(bm);
  LICE_FillTriangle(&bm, 0, 0, 29, 0, 0, 29, LICE_ARGB(0, 255, 255, 255), 1.0f,
                    LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
  EXPECT_EQ(CountDrawnOnce(bm), 0);
}

TEST(Shapes, FilledCirclesCoverTheirAreaOnce) {
  LICE_MemBitmap bm(64, 64);
  Fill(bm);
  LICE_FillCircle(&bm, 30, 31, 12.0f, kOne, 1.0f, LICE_BLIT_MODE_ADD, false);
  const double area = std::numbers::pi * 144.0;
  EXPECT_NEAR(CountDrawnOnce(bm), area, area * 0.05);
  EXPECT_EQ(Count(bm, 42, 31), 1);
  EXPECT_EQ(Count(bm, 43, 31), 0);
  EXPECT_EQ(Count(bm, 30, 19), 1);

  Fill(bm);
  LICE_FillCircle(&bm, 30, 31, 12.0f, 0xFFFFFFFF, 1.0f, LICE_BLIT_MODE_ADD, true);
  double coverage = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) coverage += Count(bm, x, y) / 255.0;
  EXPECT_NEAR(coverage, area, 6.0);  // half coverage at distance r
}

TEST(Shapes, OutlinesFollowTheCurveWithoutGapsOrRepeats) {
  LICE_MemBitmap bm(64, 64);
  Fill(bm);
  LICE_Circle(&bm, 32, 32, 20.0f, kOne, 1.0f, LICE_BLIT_MODE_ADD, false);
  CountDrawnOnce(bm);
  for (int i = 0; i < 720; ++i) {
    const double a = i * std::numbers::pi / 360;
    const int x = int(std::lround(32 + 20 * std::sin(a))),
              y = int(std::lround(32 - 20 * std::cos(a)));
    int near = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) near += Count(bm, x + dx, y + dy);
    ASSERT_GT(near, 0) << "gap near " << x << "," << y;
  }

  // An arc from twelve to three o'clock stays in that quadrant.
  Fill(bm);
  LICE_Arc(&bm, 32, 32, 20.0f, 0.0f, float(std::numbers::pi / 2), 0xFFFFFFFF, 1.0f,
           LICE_BLIT_MODE_ADD, true);
  int drawn = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      if (Count(bm, x, y)) {
        ++drawn;
        EXPECT_TRUE(x >= 32 && y <= 32) << "arc pixel " << x << "," << y;
      }
  EXPECT_GT(drawn, 30);

  // Rounded rectangle: corners cut, edges straight, every pixel once.
  Fill(bm);
  LICE_RoundRect(&bm, 5, 6, 30, 20, 4, kOne, 1.0f, LICE_BLIT_MODE_ADD, false);
  CountDrawnOnce(bm);
  EXPECT_EQ(Count(bm, 5, 6), 0);
  EXPECT_EQ(Count(bm, 10, 6), 1);
  EXPECT_EQ(Count(bm, 35, 16), 1);
  EXPECT_EQ(Count(bm, 20, 26), 1);
  EXPECT_EQ(Count(bm, 9, 6), 1);  // the corner's tangent point
  Fill(bm);
  LICE_RoundRect(&bm, 2, 2, 4, 4, 0, kOne, 1.0f, LICE_BLIT_MODE_ADD, true);
  EXPECT_EQ(CountDrawnOnce(bm), 16);  // a 5 × 5 square outline
}
