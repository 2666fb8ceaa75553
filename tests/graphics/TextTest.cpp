// Text through the engine: the alignment places the measured rectangle, fonts are shared per
// style, and text without a font, a back buffer or a sane size draws nothing.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "graphics/FontCache.h"

using namespace gfxtest;

TEST(Text, MeasuringFollowsTheAlignmentEvenBeforeTheBackBufferExists) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 200, 60);
  IText left(14, COLOR_WHITE, "DejaVu Sans", IText::kStyleNormal, IText::kAlignNear);
  IRECT l(10, 5, 10, 5);
  ASSERT_TRUE(g.MeasureIText(&left, "Warmth", &l));
  const int w = l.W();
  EXPECT_TRUE(w > 20 && w < 80) << w;
  EXPECT_EQ(l.L, 10);
  EXPECT_EQ(l.H(), 14);  // the font's line height is the asked size
  IRECT d(0, 0, 200, 60);
  EXPECT_TRUE(g.DrawIText(&left, "Warmth", &d));  // nothing to draw into: nothing happens

  IText centre = left, right = left;
  centre.mAlign = IText::kAlignCenter;
  right.mAlign = IText::kAlignFar;
  IRECT c(0, 0, 101, 30), rr(0, 0, 150, 30);
  g.MeasureIText(&centre, "Warmth", &c);
  g.MeasureIText(&right, "Warmth", &rr);
  EXPECT_EQ(c, IRECT(50 - w / 2, 0, 50 - w / 2 + w, 14));
  EXPECT_EQ(rr, IRECT(150 - w, 0, 150, 14));

  // An unknown face falls back to another; an absurd size fails and leaves the rectangle.
  IText unknown(12, COLOR_WHITE, "No Such Face At All");
  IRECT u(0, 0, 0, 0);
  EXPECT_TRUE(g.MeasureIText(&unknown, "abc", &u));
  EXPECT_GT(u.W(), 0);
  IText huge(100000, COLOR_WHITE, "DejaVu Sans");
  IRECT h(0, 0, 10, 10);
  EXPECT_FALSE(g.DrawIText(&huge, "abc", &h));
  EXPECT_EQ(h, IRECT(0, 0, 10, 10));
}

TEST(Text, DrawsRealGlyphsInsideItsRectangleAndSharesFontsPerStyle) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 200, 60);
  g.PrepDraw();
  auto inked = [&](IRECT area) {
    int n = 0;
    for (int y = area.T; y < area.B; ++y)
      for (int x = area.L; x < area.R; ++x) n += g.GetPoint(x, y).R > 0;
    return n;
  };
  IText text(16, COLOR_WHITE, "DejaVu Sans", IText::kStyleBold, IText::kAlignNear);
  IRECT r(5, 5, 195, 55);
  DrawClipped(g, r, [&](IGraphics* gr) {
    EXPECT_TRUE(gr->DrawIText(&text, "", &r));  // empty text needs no font
    EXPECT_TRUE(gr->DrawIText(&text, nullptr, &r));
    EXPECT_EQ(text.mCached, nullptr);
    EXPECT_EQ(r, IRECT(5, 5, 195, 55));
    EXPECT_TRUE(gr->DrawIText(&text, "Kick", &r));
  });
  EXPECT_GT(inked(IRECT(5, 5, 60, 25)), 20);
  EXPECT_EQ(inked(IRECT(100, 30, 200, 60)), 0);

  const int fonts = FontCache::Size();
  IText same(16, COLOR_RED, "DejaVu Sans", IText::kStyleBold), other = same;
  other.mSize = 17;
  IRECT m(0, 0, 0, 0);
  g.MeasureIText(&same, "x", &m);
  EXPECT_EQ(same.mCached, text.mCached);
  EXPECT_EQ(FontCache::Size(), fonts);
  g.MeasureIText(&other, "x", &m);
  EXPECT_NE(other.mCached, text.mCached);
  EXPECT_EQ(FontCache::Size(), fonts + 1);
}
