// Draw passes: which controls are drawn, cleaned and presented, strict and not.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"

using namespace gfxtest;

namespace {
// Background (0), a (1) and b (2) overlapping each other, c (3) apart.
class DrawPassTest : public ::testing::Test {
 protected:
  DrawPassTest() : g(&plug, 100, 100) {
    bg = new TestControl("bg", IRECT(0, 0, 100, 100), -1, &log);
    a = new TestControl("a", IRECT(10, 10, 30, 30), -1, &log);
    b = new TestControl("b", IRECT(25, 25, 45, 45), -1, &log);
    c = new TestControl("c", IRECT(70, 70, 90, 90), -1, &log);
    for (TestControl* t : {bg, a, b, c}) g.AttachControl(t);
    g.PrepDraw();
  }
  bool AnyDirty() { return bg->dirty || a->dirty || b->dirty || c->dirty; }

  Log log;
  RecordingPlug plug;
  IGraphicsHeadless g;
  TestControl *bg, *a, *b, *c;
};
}  // namespace

TEST_F(DrawPassTest, StrictPassDrawsWhatOverlapsThePaintAreaAndCleansEverything) {
  IRECT r;
  EXPECT_FALSE(g.IsDirty(&r));
  EXPECT_EQ(r, IRECT());
  a->dirty = c->dirty = true;
  EXPECT_TRUE(g.IsDirty(&r));
  EXPECT_EQ(r, IRECT(10, 10, 90, 90));  // the union of the dirty controls

  b->hidden = true;
  IRECT paint(0, 0, 30, 30);
  EXPECT_TRUE(g.Draw(&paint));
  // b is hidden; c lies outside the paint area and is cleaned without being drawn.
  EXPECT_EQ(log, (Log{"bg draw", "a draw"}));
  EXPECT_FALSE(AnyDirty());
  EXPECT_EQ(g.GetDrawRECT(), paint);
  EXPECT_EQ(g.LastPresented(), paint);
  EXPECT_EQ(g.NPresented(), 1);
}

TEST_F(DrawPassTest, NonStrictPassDrawsEachDirtyControlWithWhatOverlapsIt) {
  g.SetStrictDrawing(false);  // marks everything dirty
  IRECT all(0, 0, 100, 100);
  g.Draw(&all);  // dirty background: everything once
  EXPECT_EQ(log, (Log{"bg draw", "a draw", "b draw", "c draw"}));
  EXPECT_FALSE(AnyDirty());

  log.clear();
  a->dirty = c->dirty = true;
  IRECT r;
  ASSERT_TRUE(g.IsDirty(&r));
  g.Draw(&r);
  EXPECT_EQ(log, (Log{"bg draw", "a draw", "b draw", "bg draw", "c draw"}));
  EXPECT_FALSE(AnyDirty());
  EXPECT_EQ(g.GetDrawRECT(), c->rect);

  // A hidden dirty control is cleaned without being drawn.
  log.clear();
  c->dirty = true;
  c->hidden = true;
  g.Draw(&r);
  EXPECT_EQ(log, (Log{"bg draw"}));
  EXPECT_FALSE(c->dirty);
}

TEST_F(DrawPassTest, TickDrawsOnlyWhenSomethingIsDirty) {
  EXPECT_EQ(g.Tick(), IRECT());
  EXPECT_EQ(g.NPresented(), 0);
  g.SetParameterFromPlug(kGain, 0.5, true);  // nothing bound: nothing dirty
  EXPECT_EQ(g.Tick(), IRECT());
  b->dirty = true;
  EXPECT_EQ(g.Tick(), b->rect);
  EXPECT_EQ(g.NPresented(), 1);
  EXPECT_EQ(log, (Log{"bg draw", "a draw", "b draw"}));
}

TEST(DrawPass, EmptyEditorAndBackgrounds) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 40, 30);
  g.PrepDraw();
  IRECT r(0, 0, 40, 30);
  EXPECT_TRUE(g.Draw(&r));
  EXPECT_EQ(g.NPresented(), 0);  // nothing to draw, nothing presented

  const IColor grey(255, 50, 60, 70);
  g.AttachPanelBackground(&grey);
  g.AttachControl(new TestControl("top", IRECT(0, 0, 10, 10)));
  EXPECT_EQ(g.Tick(), IRECT(0, 0, 40, 30));
  EXPECT_EQ(g.GetPoint(39, 29), grey);
  EXPECT_EQ(IGraphicsHeadless(&plug, 1, 1, -3).FPS(), 25);  // a rate that makes no sense
  EXPECT_EQ(IGraphicsHeadless(&plug, 1, 1, 60).FPS(), 60);

  IGraphicsHeadless unattached(nullptr, 10, 10);  // a screenshot tool's editor has no plug-in
  unattached.Resize(20, 30);
  ASSERT_TRUE(unattached.PrepBackBuffer());
  EXPECT_EQ(unattached.GetDrawBitmap()->getHeight(), 30);
}

TEST(DrawPass, PartialRedrawKeepsTheRestOfTheBackBuffer) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 60, 20);
  const IColor panel(255, 1, 2, 3), ink(255, 200, 0, 0);
  g.AttachPanelBackground(&panel);
  for (int x : {0, 30}) {
    g.AttachControl(new DrawingControl(IRECT(x, 0, x + 20, 20), [x, &ink](IGraphics* gr) {
      IRECT r(x, 0, x + 20, 20);
      gr->FillIRect(&ink, &r);
    }));
  }
  g.PrepDraw();
  g.Tick();
  ASSERT_EQ(g.GetPoint(35, 5), ink);
  g.GetControl(1)->SetDirty(false);
  EXPECT_EQ(g.Tick(), IRECT(0, 0, 20, 20));
  EXPECT_EQ(g.GetPoint(35, 5), ink);  // the other control's pixels survive
  EXPECT_EQ(g.GetPoint(25, 5), panel);
}

// Where the pointer is asked to be shows through the built plug-in's snapshots; here the
// requests that cannot be answered.
TEST(DrawPass, SnapshotRedrawsEverythingOnceThereIsABackBufferAndSomewhereToPutIt) {
  RecordingPlug plug;
  IGraphicsHeadless g(&plug, 30, 20);
  IPlugEditorPixels pixels;
  EXPECT_FALSE(g.RenderSnapshot(-1, -1, &pixels));  // no back buffer yet
  const IColor panel(255, 9, 8, 7);
  g.AttachPanelBackground(&panel);
  g.PrepDraw();
  g.Tick();
  ASSERT_TRUE(g.RenderSnapshot(5, 5, &pixels));
  EXPECT_EQ(pixels.width, 30);
  EXPECT_EQ(pixels.height, 20);
  EXPECT_EQ(pixels.pixels[19 * pixels.rowSpan + 29], panel.ToPixel());
  EXPECT_FALSE(g.RenderSnapshot(0, 0, nullptr));
}
