#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "graphics/FontCache.h"

using namespace gfxtest;

namespace {
class TextTest : public ::testing::Test {
 protected:
  TextTest() : g(&plug, 200, 60) { g.PrepDraw(); }
  int InkedPixels(IRECT area) {
    int n = 0;
    for (int y = area.T; y < area.B; ++y) {
      for (int x = area.L; x < area.R; ++x) n += g.GetPoint(x, y).R > 0;
    }
    return n;
  }

  RecordingPlug plug;
  IGraphicsHeadless g;
};
}  // namespace

TEST_F(TextTest, EmptyTextDrawsNothingAndNeedsNoFont) {
  IText text(14, COLOR_WHITE, "DejaVu Sans");
  IRECT r(0, 0, 200, 60);
  EXPECT_TRUE(g.DrawIText(&text, "", &r));
  EXPECT_TRUE(g.DrawIText(&text, nullptr, &r));
  EXPECT_EQ(text.mCached, nullptr);
  EXPECT_EQ(r, IRECT(0, 0, 200, 60));
}

TEST_F(TextTest, MeasuringFollowsTheAlignment) {
  IText left(14, COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  IRECT l(10, 5, 10, 5);
  ASSERT_TRUE(g.MeasureIText(&left, "Warmth", &l));
  const int w = l.W(), h = l.H();
  EXPECT_GT(w, 20);
  EXPECT_LT(w, 80);
  EXPECT_EQ(l.L, 10);
  EXPECT_EQ(h, 14);  // the font's line height is the asked size

  IText centre = left, right = left;
  centre.mAlign = IText::kAlignCenter;
  right.mAlign = IText::kAlignFar;
  IRECT c(0, 0, 101, 30), rr(0, 0, 150, 30);
  g.MeasureIText(&centre, "Warmth", &c);
  g.MeasureIText(&right, "Warmth", &rr);
  EXPECT_EQ(c.L, 50 - w / 2);
  EXPECT_EQ(c.W(), w);
  EXPECT_EQ(rr.R, 150);
  EXPECT_EQ(rr.L, 150 - w);
  EXPECT_EQ(rr.B, 14);
}

TEST_F(TextTest, DrawsRealGlyphsAndSharesFonts) {
  IText text(16, COLOR_WHITE, "DejaVu Sans", IText::kStyleBold, IText::kAlignNear);
  IRECT r(5, 5, 195, 55);
  DrawClipped(g, r, [&](IGraphics* gr) { EXPECT_TRUE(gr->DrawIText(&text, "Kick", &r)); });
  EXPECT_GT(InkedPixels(IRECT(5, 5, 60, 25)), 20);
  EXPECT_EQ(InkedPixels(IRECT(100, 30, 200, 60)), 0);

  const int fonts = FontCache::Size();
  IText same(16, COLOR_RED, "DejaVu Sans", IText::kStyleBold);
  IRECT m(0, 0, 0, 0);
  g.MeasureIText(&same, "x", &m);
  EXPECT_EQ(same.mCached, text.mCached);
  EXPECT_EQ(FontCache::Size(), fonts);
  IText other(17, COLOR_RED, "DejaVu Sans", IText::kStyleBold);
  g.MeasureIText(&other, "x", &m);
  EXPECT_NE(other.mCached, text.mCached);
  EXPECT_EQ(FontCache::Size(), fonts + 1);
}

TEST_F(TextTest, UnknownFaceFallsBackAndAbsurdSizeFails) {
  IText unknown(12, COLOR_WHITE, "No Such Face At All");
  IRECT r(0, 0, 0, 0);
  EXPECT_TRUE(g.MeasureIText(&unknown, "abc", &r));
  EXPECT_GT(r.W(), 0);
  IText huge(100000, COLOR_WHITE, "DejaVu Sans");
  IRECT h(0, 0, 10, 10);
  EXPECT_FALSE(g.DrawIText(&huge, "abc", &h));
  EXPECT_EQ(h, IRECT(0, 0, 10, 10));
}

TEST(Text, LayoutCanMeasureBeforeTheBackBufferExists) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 100, 30);
  IText text(12, COLOR_BLACK, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  IRECT r(0, 0, 0, 0);
  EXPECT_TRUE(g.MeasureIText(&text, "Ratio", &r));
  EXPECT_GT(r.W(), 0);
  IRECT d(0, 0, 100, 30);
  EXPECT_TRUE(g.DrawIText(&text, "Ratio", &d));  // nothing to draw into: nothing happens
}
