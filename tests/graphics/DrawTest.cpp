// The engine's drawing primitives inside a real pass, read back from the back buffer.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "LICE.h"

using namespace gfxtest;

namespace {
class DrawTest : public ::testing::Test {
 protected:
  DrawTest() : g(&plug, 200, 100) { g.PrepDraw(); }
  LICE_pixel At(int x, int y) { return g.GetPoint(x, y).ToPixel(); }
  // The source row and column a copied coordinate pixel came from.
  int SourceRow(int x, int y) { return g.GetPoint(x, y).G; }
  int SourceCol(int x, int y) { return g.GetPoint(x, y).R; }

  RecordingPlug plug;
  IGraphicsHeadless g;
};
}  // namespace

TEST_F(DrawTest, FrameSelectionCopiesTheFrameOfTheStateClampedToTheStrip) {
  auto strip = CoordinateRaster(4, 90);
  IBitmap three(strip.get(), 4, 90, 3), single(strip.get(), 4, 90, 1);
  IRECT dest(0, 0, 4, 30);
  const std::pair<int, int> stateToRow[] = {{0, 0}, {1, 0}, {2, 30}, {3, 60}, {9, 60}, {-5, 0}};
  for (const auto& [s, row] : stateToRow) {
    const int state = s;
    DrawClipped(g, dest, [&](IGraphics* gr) { gr->DrawBitmap(&three, &dest, state); });
    EXPECT_EQ(SourceRow(0, 0), row) << "state " << state;
    EXPECT_EQ(SourceRow(3, 29), row + 29) << "state " << state;
  }
  DrawClipped(g, dest, [&](IGraphics* gr) { gr->DrawBitmap(&single, &dest, 3); });
  EXPECT_EQ(SourceRow(0, 0), 0);

  auto wide = CoordinateRaster(90, 4);
  IBitmap horizontal(wide.get(), 90, 4, 3, true);
  IRECT frame(0, 0, 30, 4);
  DrawClipped(g, frame, [&](IGraphics* gr) { gr->DrawBitmap(&horizontal, &frame, 2); });
  EXPECT_EQ(SourceCol(0, 0), 30);
}

TEST_F(DrawTest, BitmapIsClippedToTheDrawRectangleAndBitmapsWithoutPixelsDrawNothing) {
  auto src = CoordinateRaster(10, 10);
  IBitmap bmp(src.get(), 10, 10), missing;
  IRECT dest(5, 5, 15, 15), outside(50, 50, 60, 60), all(0, 0, 200, 100);
  DrawClipped(g, IRECT(0, 0, 10, 10), [&](IGraphics* gr) {
    gr->DrawBitmap(&bmp, &dest, 1);
    gr->DrawBitmap(&bmp, &outside, 1);
    EXPECT_TRUE(gr->DrawBitmap(&missing, &all, 2));
    EXPECT_TRUE(gr->DrawBitmap(&missing, &all, 3, 4));
    EXPECT_TRUE(gr->DrawRotatedBitmap(&missing, 100, 50, 1.0));
    EXPECT_TRUE(gr->DrawRotatedMask(&missing, &missing, &missing, 0, 0, 45.0));
    EXPECT_TRUE(gr->DrawBitmap(nullptr, &all, 1));
  });
  EXPECT_EQ(At(9, 9), LICE_ARGB(255, 4, 4, 7));
  EXPECT_EQ(At(5, 5), LICE_ARGB(255, 0, 0, 7));
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (x < 5 || y < 5 || x >= 10 || y >= 10) {
        ASSERT_EQ(At(x, y), 0u) << x << "," << y;
      }
    }
  }

  // A clip rectangle that starts inside the destination moves the source along with it.
  DrawClipped(g, IRECT(100, 60, 200, 100), [&](IGraphics* gr) {
    IRECT d(95, 55, 105, 65);
    gr->DrawBitmap(&bmp, &d, 1);
  });
  EXPECT_EQ(At(100, 60), LICE_ARGB(255, 5, 5, 7));
}

TEST_F(DrawTest, FillsLinesPixelsAndRotatedBitmaps) {
  const LICE_pixel red = LICE_ARGB(255, 255, 0, 0);
  auto solid = Raster(51, 11, [&](int, int) { return red; });
  IBitmap bmp(solid.get(), 51, 11);
  IRECT box(10, 10, 20, 15);
  DrawClipped(g, IRECT(0, 0, 200, 100), [&](IGraphics* gr) {
    gr->FillIRect(&COLOR_BLUE, &box);
    gr->DrawLine(&COLOR_RED, 30.9f, 5.0f, 40.2f, 5.0f);
    gr->ForcePixel(&COLOR_GREEN, 199, 99);
    gr->ForcePixel(&COLOR_GREEN, 200, 99);  // outside: ignored
    gr->ForcePixel(&COLOR_GREEN, -1, 0);
    gr->DrawRotatedBitmap(&bmp, 100, 50, 0.0);
  });
  EXPECT_EQ(At(10, 10), COLOR_BLUE.ToPixel());
  EXPECT_EQ(At(19, 14), COLOR_BLUE.ToPixel());
  EXPECT_EQ(At(20, 14), 0u);
  EXPECT_EQ(At(19, 15), 0u);
  // Line ends are truncated: 30..40.
  EXPECT_EQ(At(30, 5), COLOR_RED.ToPixel());
  EXPECT_EQ(At(40, 5), COLOR_RED.ToPixel());
  EXPECT_EQ(At(41, 5), 0u);
  EXPECT_EQ(At(199, 99), COLOR_GREEN.ToPixel());
  // Centred on the truncated half width, 100 - 51 / 2 = 75: columns 75..125, rows 45..55.
  EXPECT_EQ(At(74, 50), 0u);
  EXPECT_EQ(At(75, 50), red);
  EXPECT_EQ(At(125, 50), red);
  EXPECT_EQ(At(126, 50), 0u);
  EXPECT_EQ(At(100, 44), 0u);
  EXPECT_EQ(At(100, 45), red);
}

TEST_F(DrawTest, RotatedMaskUsesTheScratchRasterAndClips) {
  auto base = Raster(9, 9, [](int, int) { return LICE_ARGB(255, 10, 20, 30); });
  auto mask = Raster(9, 9, [](int, int) { return LICE_ARGB(255, 0, 0, 0); });
  auto top = Raster(9, 9, [](int, int) { return LICE_ARGB(0, 0, 0, 0); });
  IBitmap b(base.get(), 9, 9), m(mask.get(), 9, 9), t(top.get(), 9, 9);
  DrawClipped(g, IRECT(0, 0, 14, 100),
              [&](IGraphics* gr) { gr->DrawRotatedMask(&b, &m, &t, 10, 10, 30.0); });
  // Inside the mask the base's colour shows at full alpha; right of the clip nothing.
  EXPECT_EQ(At(12, 14), LICE_ARGB(255, 10, 20, 30));
  EXPECT_EQ(At(14, 14), 0u);
}
