// Mouse, key and parameter events through the engine to recording controls, and the gestures
// the host hears.
#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"

using namespace gfxtest;

namespace {
class HitProbe : public IGraphicsHeadless {
 public:
  using IGraphics::GetMouseControlIdx;
  using IGraphicsHeadless::IGraphicsHeadless;
};

// Background (0) over the whole editor, a knob (1) for Gain and a switch (2) for Mode that
// overlaps the knob's right half.
class EventsTest : public ::testing::Test {
 protected:
  EventsTest() : plug(&log), g(&plug, 100, 100) {
    bg = new TestControl("bg", IRECT(0, 0, 100, 100), -1, &log);
    knob = new TestControl("knob", IRECT(10, 10, 50, 50), kGain, &log);
    sw = new TestControl("switch", IRECT(30, 10, 70, 50), kMode, &log);
    g.AttachControl(bg);
    g.AttachControl(knob);
    g.AttachControl(sw);
    g.HandleMouseOver(true);
  }
  int HitIdx(int x, int y, bool over) { return g.GetMouseControlIdx(x, y, over); }

  Log log;
  RecordingPlug plug;
  HitProbe g;
  TestControl *bg, *knob, *sw;
  IMouseMod mod;
};
}  // namespace

TEST_F(EventsTest, TopmostVisibleControlIsHitAndHiddenOrGreyedLetClicksThrough) {
  EXPECT_EQ(HitIdx(40, 20, false), 2);
  EXPECT_EQ(HitIdx(15, 20, false), 1);
  EXPECT_EQ(HitIdx(90, 90, false), 0);
  EXPECT_EQ(HitIdx(100, 100, false), -1);
  sw->hidden = true;
  EXPECT_EQ(HitIdx(40, 20, false), 1);
  sw->hidden = false;
  sw->grayed = true;
  EXPECT_EQ(HitIdx(40, 20, false), 1);
  EXPECT_EQ(HitIdx(40, 20, true), 1);
  sw->moWhenGrayed = true;
  EXPECT_EQ(HitIdx(40, 20, false), 1);  // presses still pass a greyed control
  EXPECT_EQ(HitIdx(40, 20, true), 2);   // hovering reaches it

  // A press on the greyed switch reaches the knob beneath.
  g.OnMouseDown(40, 20, &mod);
  EXPECT_EQ(g.GetMouseCapture(), 1);
  g.OnMouseUp(40, 20, &mod);
}

TEST_F(EventsTest, GestureOnABoundControlIsBracketedByBeginAndEnd) {
  g.OnMouseDown(15, 20, &mod);
  g.OnMouseDrag(15, 25, &mod);
  g.OnMouseUp(90, 90, &mod);  // released elsewhere: the captured knob still hears it
  EXPECT_EQ(log, (Log{"begin 0", "knob down 15,20", "knob drag 0,5", "knob up 90,90", "end 0"}));
  EXPECT_EQ(g.GetMouseCapture(), -1);

  log.clear();
  g.OnMouseDown(90, 90, &mod);  // the unbound background: no gesture
  g.OnMouseUp(90, 90, &mod);
  EXPECT_EQ(log, (Log{"bg down 90,90", "bg up 90,90"}));

  log.clear();
  g.OnMouseUp(40, 20, &mod);  // a release without a press ends nothing
  EXPECT_EQ(log, (Log{"switch up 40,20"}));
}

TEST_F(EventsTest, EveryBeginGetsOneEndWhenPressesOrCapturesAreLost) {
  g.OnMouseDown(15, 20, &mod);
  g.OnMouseDown(40, 20, &mod);  // the release of the first press never came
  g.ReleaseMouseCapture();      // the view lost the pointer
  g.OnMouseUp(40, 20, &mod);
  EXPECT_EQ(log, (Log{"begin 0", "knob down 15,20", "end 0", "begin 1", "switch down 40,20",
                      "end 1", "switch up 40,20"}));

  // A double click taken as a press opens a gesture like a press.
  log.clear();
  sw->dblAsSingle = true;
  EXPECT_TRUE(g.OnMouseDblClick(40, 20, &mod));
  g.OnMouseUp(40, 20, &mod);
  EXPECT_EQ(log, (Log{"begin 1", "switch down 40,20", "switch up 40,20", "end 1"}));

  log.clear();
  EXPECT_FALSE(g.OnMouseDblClick(15, 20, &mod));
  EXPECT_EQ(log, (Log{"begin 0", "knob dbl 15,20", "end 0"}));
}

TEST_F(EventsTest, DragDeltasFollowTheLastDeliveredPosition) {
  g.OnMouseDrag(20, 20, &mod);  // no capture: nobody hears it
  g.OnMouseDown(15, 20, &mod);
  g.OnMouseDrag(15, 20, &mod);  // same place as the press: not delivered
  g.OnMouseDrag(18, 10, &mod);
  g.OnMouseDrag(18, 10, &mod);
  g.OnMouseDrag(95, 99, &mod);  // far outside the knob: still the knob
  g.OnMouseUp(95, 99, &mod);
  EXPECT_EQ(log, (Log{"begin 0", "knob down 15,20", "knob drag 3,-10", "knob drag 77,89",
                      "knob up 95,99", "end 0"}));
}

TEST_F(EventsTest, HoverMovesBetweenControlsAndWheelGoesToTheHit) {
  g.OnMouseOver(15, 20, &mod);
  g.OnMouseOver(40, 20, &mod);
  g.OnMouseOver(200, 200, &mod);  // empty space changes nothing
  EXPECT_EQ(g.GetMouseOver(), 2);
  g.OnMouseWheel(15, 20, &mod, -2);
  EXPECT_EQ(log, (Log{"knob over 15,20", "switch over 40,20", "knob out 0,0", "begin 0",
                      "knob wheel -2,0", "end 0"}));
  g.OnMouseOut();
  EXPECT_EQ(g.GetMouseOver(), -1);
  g.HandleMouseOver(false);
  EXPECT_FALSE(g.OnMouseOver(15, 20, &mod));
}

TEST_F(EventsTest, KeysGoToTheControlUnderThePointerElseTheKeyCatcher) {
  EXPECT_TRUE(g.OnKeyDown(15, 20, KEY_UPARROW));
  EXPECT_FALSE(g.OnKeyDown(90, 90, KEY_SPACE));  // background, no catcher: the host gets it
  knob->takesKeys = false;
  EXPECT_FALSE(g.OnKeyDown(15, 20, KEY_SPACE));
  auto* catcher = new TestControl("catcher", IRECT(), -1, &log);
  g.AttachKeyCatcher(catcher);
  EXPECT_TRUE(g.OnKeyDown(90, 90, KEY_ALPHA_A));
  EXPECT_EQ(log, (Log{"knob key 1,0", "knob key 0,0", "catcher key 15,0"}));
}

TEST_F(EventsTest, ParameterValuesReachTheBoundControls) {
  auto* second = new TestControl("second", IRECT(0, 60, 10, 70), kGain);
  second->auxParam = kMode;
  g.AttachControl(second);
  g.SetParameterFromPlug(kGain, 12.0, false);  // real dB, converted once
  EXPECT_DOUBLE_EQ(knob->value, 0.75);
  EXPECT_DOUBLE_EQ(second->value, 0.75);
  EXPECT_DOUBLE_EQ(sw->value, 0.0);
  g.SetParameterFromPlug(kMode, 0.5, true);
  EXPECT_DOUBLE_EQ(sw->value, 0.5);
  ASSERT_EQ(second->auxValues.size(), 1u);
  EXPECT_DOUBLE_EQ(second->auxValues[0].second, 0.5);

  g.SetParameterFromPlug(99, 1.0, false);  // unknown parameter: ignored
  g.SetParameterFromPlug(-1, 1.0, false);
  g.SetControlFromPlug(7, 1.0);
  g.SetControlFromPlug(-1, 1.0);
  g.GrayOutControl(kGain, true);
  g.HideControl(kMode, true);
  g.ClampControl(kGain, -12.0, 12.0, false);
  EXPECT_TRUE(knob->grayed && second->grayed && !sw->grayed);
  EXPECT_TRUE(sw->hidden && !knob->hidden);
  EXPECT_DOUBLE_EQ(knob->clampLo, 0.25);
  EXPECT_DOUBLE_EQ(second->clampHi, 0.75);
  g.AssignParamNameToolTips();
  EXPECT_EQ(knob->tooltip, "Gain");
  EXPECT_EQ(bg->tooltip, "");
  EXPECT_EQ(g.GetControl(4), nullptr);
}

TEST_F(EventsTest, ResizeRebuildsUnderThePluginsMutex) {
  g.PrepDraw();
  g.OnMouseDown(15, 20, &mod);
  g.Resize(120, 80);
  EXPECT_EQ(g.NControls(), 0);
  EXPECT_EQ(g.Width(), 120);
  ASSERT_TRUE(g.PrepBackBuffer());
  EXPECT_EQ(g.GetDrawBitmap()->getWidth(), 120);
  EXPECT_EQ(g.GetMouseCapture(), -1);
  EXPECT_EQ(log, (Log{"begin 0", "knob down 15,20", "end 0", "resize 120x80 under lock"}));
  g.Resize(120, 80);  // unchanged: nothing
  g.Resize(0, 50);
  EXPECT_EQ(log.size(), 4u);
}
