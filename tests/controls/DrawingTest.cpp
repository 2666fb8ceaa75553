// What the controls draw, read back from the editor's back buffer. Strips have one solid
// colour per frame, so the colour at a point names the frame drawn there.
#include <cmath>

#include "EditorFixture.h"
#include "controls/ControlKnobHover.h"
#include "controls/ControlPeakMeter.h"
#include "controls/ControlSwitches.h"
#include "controls/FrameMapping.h"
#include "controls/IFaderControl.h"
#include "controls/IRadioButtonsControl.h"

namespace {

class Drawing : public EditorTest {};

TEST(FrameMapping, EachFrameCoversHalfAStepEitherSide) {
  for (int k = 0; k < 100; ++k) {
    const double boundary = (k + 0.5) / 100.0;
    EXPECT_EQ(FrameForValue(101, boundary - 1e-9), k + 1);
    EXPECT_EQ(FrameForValue(101, boundary + 1e-9), k + 2);
  }
  EXPECT_EQ(FrameForValue(101, -0.3), 1);
  EXPECT_EQ(FrameForValue(101, 1.2), 101);
  EXPECT_EQ(FrameForValue(101, std::nan("")), 1);
  EXPECT_EQ(FrameForValue(1, 0.7), 1);
  EXPECT_EQ(FrameForValue(2, 0.49), 1);
  EXPECT_EQ(FrameForValue(2, 0.5), 2);
}

TEST_F(Drawing, BitmapControlsDrawTheFrameForTheirValue) {
  auto* bitmap = Add<IBitmapControl>(10, 10, -1, mKnobStrip.Get());
  Open();
  // The first value arrives after the first drawing and is drawn all the same.
  const std::pair<double, int> cases[] = {{0.5, 51},    {0.004, 1},   {0.006, 2}, {0.0, 1},
                                          {0.994, 100}, {0.996, 101}, {1.0, 101}, {1.2, 101}};
  for (auto [value, frame] : cases) {
    bitmap->SetValueFromPlug(value);
    mEditor->Tick();
    EXPECT_EQ(FrameAt(mEditor, 10, 10), frame) << value;
    EXPECT_EQ(FrameAt(mEditor, 84, 84), frame) << value;
  }
  EXPECT_EQ(FrameAt(mEditor, 85, 40), 0);  // the right edge is outside
}

TEST_F(Drawing, GreyedControlsDrawAtAQuarterWeight) {
  auto* sw = Add<ISwitchControl>(10, 10, -1, mTwoFrames.Get());
  Open();
  sw->GrayOut(true);
  mEditor->Tick();
  const IColor c = mEditor->GetPoint(15, 15);
  const IColor f = FrameColor(1);
  auto quarter = [](int src, int dst) { return dst + (src - dst) / 4.0; };
  EXPECT_NEAR(c.R, quarter(f.R, kPanelColor.R), 1.5);
  EXPECT_NEAR(c.G, quarter(f.G, kPanelColor.G), 1.5);
  EXPECT_NEAR(c.B, quarter(f.B, kPanelColor.B), 1.5);
  sw->GrayOut(false);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 15, 15), 1);
}

TEST_F(Drawing, QSwitchKeepsItsFrameForValuesBetweenPositions) {
  auto* q = Add<ControlQSwitch>(10, 10, GuiTestPlug::kQuality, mThreeFrames.Get());
  Open();
  q->SetValueFromPlug(0.5);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 50, 15), 2);
  q->SetValueFromPlug(0.25);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 50, 15), 2);
  q->SetValueFromPlug(1.0);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 50, 15), 3);
}

TEST_F(Drawing, FaderHandleFollowsValueAndPointer) {
  Strip handle(10, 20, 1);
  auto* fader = Add<IFaderControl>(50, 0, 200, GuiTestPlug::kMakeUp, handle.Get());
  Open();
  fader->SetValueFromPlug(0.5);
  mEditor->Tick();
  EXPECT_EQ(fader->GetHandleRECT(), IRECT(50, 90, 60, 110));
  EXPECT_EQ(FrameAt(mEditor, 55, 89), 0);
  EXPECT_EQ(FrameAt(mEditor, 55, 90), 1);
  EXPECT_EQ(FrameAt(mEditor, 55, 109), 1);
  EXPECT_EQ(FrameAt(mEditor, 55, 110), 0);

  for (auto [y, value] : {std::pair{10, 1.0}, {190, 0.0}, {100, 0.5}}) {
    Click(55, y);
    EXPECT_DOUBLE_EQ(fader->GetValue(), value) << y;
  }
}

TEST_F(Drawing, RadioButtonsShowTheSelectedOne) {
  // Three 20-pixel buttons in 90 pixels: 15-pixel gaps, tops at 10, 45 and 80.
  auto* radio =
      Add<IRadioButtonsControl>(IRECT(10, 10, 30, 100), GuiTestPlug::kQuality, 3, mTwoFrames.Get());
  Open();
  radio->SetValueFromPlug(0.5);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 15, 12), 1);
  EXPECT_EQ(FrameAt(mEditor, 15, 47), 2);
  EXPECT_EQ(FrameAt(mEditor, 15, 82), 1);
  EXPECT_EQ(FrameAt(mEditor, 15, 40), 0);  // a gap

  Click(15, 85);
  mEditor->Tick();
  EXPECT_EQ(radio->GetValue(), 1.0);
  EXPECT_EQ(FrameAt(mEditor, 15, 82), 2);
  EXPECT_EQ(FrameAt(mEditor, 15, 47), 1);
  Click(15, 40);  // between buttons: the value stays
  EXPECT_EQ(radio->GetValue(), 1.0);
}

class Meters : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    mMeter = Add<ControlPeakMeter>(IRECT(10, 10, 110, 24), mMeterStrip.Get(), &mSource);
    Open();
  }
  // A gain change of g dB shows as -48 - g.
  void ShowLevel(double db) { mSource.mMeter.SetLevel(true, IMeterSource::kMinimumDb - db); }
  int Drawn() { return FrameAt(mEditor, 50, 15); }

  Strip mMeterStrip{100, 14, 101};
  BallisticsSource mSource;
  ControlPeakMeter* mMeter = nullptr;
};

TEST_F(Meters, FrameIsLinearInDecibels) {
  // Rising levels: falling ones decay slowly, as meters do.
  const std::pair<double, int> cases[] = {{-60.0, 1}, {-48.0, 1}, {-24.0, 51},
                                          {-6.0, 89}, {0.0, 101}, {12.0, 101}};
  for (auto [db, frame] : cases) {
    ShowLevel(db);
    mEditor->Tick();
    EXPECT_EQ(Drawn(), frame) << db << " dB";
  }
}

TEST_F(Meters, RedrawOnlyWhenTheFrameChanges) {
  ShowLevel(-24.0);
  EXPECT_EQ(mEditor->Tick(), IRECT(10, 10, 110, 24));
  ShowLevel(-24.1);  // the same frame
  EXPECT_FALSE(mMeter->IsDirty());
  EXPECT_TRUE(mEditor->Tick().Empty());
  ShowLevel(-20.0);
  EXPECT_TRUE(mMeter->IsDirty());
  EXPECT_EQ(mEditor->Tick(), IRECT(10, 10, 110, 24));
  EXPECT_EQ(Drawn(), 59);
}

TEST_F(Meters, HeldPeakStartsAgainAfterEachLook) {
  mSource.mMeter.SetLevel(false, 0.502);  // a peak just under -6 dB
  EXPECT_EQ(mSource.mMeter.GetHeldPeak(), 0.502);
  mEditor->Tick();
  EXPECT_EQ(Drawn(), 89);
  EXPECT_EQ(mSource.mMeter.GetHeldPeak(), MeterBallistics::kMinimumLinear);

  mSource.mMeter.SetLevel(false, 0.502);  // the same frame again: nothing to draw
  EXPECT_TRUE(mEditor->Tick().Empty());
  EXPECT_EQ(mSource.mMeter.GetHeldPeak(), MeterBallistics::kMinimumLinear);
  mSource.mMeter.SetLevel(false, 0.25);  // a lower peak is held again
  EXPECT_EQ(mSource.mMeter.GetHeldPeak(), 0.25);
}

// Draws the value box as it should look: a box of the hover colours with the text in it.
class ExpectedBox : public IControl {
 public:
  ExpectedBox(IPlugBase* plug, IRECT box, const char* text) : IControl(plug, box), mStr(text) {}
  bool Draw(IGraphics* g) override {
    IColor fill(225, 0, 0, 0);
    g->FillIRect(&fill, &mRECT);
    IText font(12, IColor(225, 20, 178, 224), "Monaco");
    IRECT r(mRECT.L, mRECT.T + 2, mRECT.R, mRECT.B);
    return g->DrawIText(&font, mStr, &r);
  }

 private:
  const char* mStr;
};

// The box of the knob at kKnobRect: (L + 20, T, R - 20, T + 14).
const IRECT kBox(30, 10, 65, 24);

class HoverBox : public EditorTest {
 protected:
  // Whether the knob's box, hovered, has the same pixels as the expected box with text.
  bool BoxReads(int param, bool negate, const char* text) {
    GuiTestPlug expectedPlug;
    IGraphicsHeadless* expected = MakeEditor(&expectedPlug);
    expected->AttachControl(new ExpectedBox(&expectedPlug, kBox, text));
    Attach(&expectedPlug, expected);
    expected->Tick();

    Add<ControlKnobHover>(IRECT(10, 10, 85, 117), param, mKnobStrip.Get(), 32, negate);
    mEditor->HandleMouseOver(true);
    Open();
    IMouseMod none;
    mEditor->OnMouseOver(40, 80, &none);
    mEditor->Tick();
    int textPixels = 0;
    for (int y = kBox.T; y < kBox.B; ++y) {
      for (int x = kBox.L; x < kBox.R; ++x) {
        const IColor got = mEditor->GetPoint(x, y);
        if (!(got == expected->GetPoint(x, y))) return false;
        textPixels += got.B > got.R + 40;
      }
    }
    return textPixels > 10;
  }
};

TEST_F(HoverBox, NegatedThresholdReadsWithAMinus) {
  mPlug.GetParam(GuiTestPlug::kThreshold)->Set(24.0);
  EXPECT_TRUE(BoxReads(GuiTestPlug::kThreshold, true, "-24.0"));
  EXPECT_TRUE(HostLog::Get().Take().empty());
}

TEST_F(HoverBox, MakeUpReadsPlain) {
  mPlug.GetParam(GuiTestPlug::kMakeUp)->Set(24.0);
  EXPECT_TRUE(BoxReads(GuiTestPlug::kMakeUp, false, "24.0"));
}

TEST_F(HoverBox, NoMinusBeforeZero) { EXPECT_TRUE(BoxReads(GuiTestPlug::kThreshold, true, "0.0")); }

}  // namespace
