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

// Each frame covers half a step either side of its value; values outside 0..1 (or none at
// all) show the end frames. The first value arrives after the first drawing and is drawn all
// the same.
TEST_F(Drawing, BitmapControlsDrawTheFrameForTheirValue) {
  auto* bitmap = Add<IBitmapControl>(10, 10, -1, mKnobStrip.Get());
  auto* single = Add<IBitmapControl>(100, 10, -1, mOneFrame.Get());
  auto* q = Add<ControlQSwitch>(100, 40, GuiTestPlug::kQuality, mThreeFrames.Get());
  Open();
  auto shows = [&](double value, int frame) {
    bitmap->SetValueFromPlug(value);
    mEditor->Tick();
    ASSERT_EQ(FrameAt(mEditor, 10, 10), frame) << value;
    ASSERT_EQ(FrameAt(mEditor, 84, 84), frame) << value;
  };
  for (int k = 0; k < 100; ++k) {
    shows((k + 0.5) / 100.0 - 1e-9, k + 1);
    shows((k + 0.5) / 100.0 + 1e-9, k + 2);
  }
  for (auto [value, frame] : {std::pair{0.0, 1}, {1.0, 101}, {-0.3, 1}, {1.2, 101}})
    shows(value, frame);
  shows(std::nan(""), 1);
  EXPECT_EQ(FrameForValue(101, std::nan("")), 1);  // not hidden by the engine's clamping
  EXPECT_EQ(FrameAt(mEditor, 85, 40), 0);          // the right edge is outside
  single->SetValueFromPlug(0.7);
  mEditor->Tick();
  EXPECT_EQ(FrameAt(mEditor, 100, 10), 1);
  // A QSwitch keeps its frame for values between its positions.
  for (auto [value, frame] : {std::pair{0.5, 2}, {0.25, 2}, {1.0, 3}}) {
    q->SetValueFromPlug(value);
    mEditor->Tick();
    EXPECT_EQ(FrameAt(mEditor, 140, 45), frame) << value;
  }
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

// Rising levels only: falling ones decay slowly, as meters do.
TEST_F(Meters, FrameIsLinearInDecibelsAndRedrawnOnlyWhenItChanges) {
  for (auto [db, frame] : {std::pair{-60.0, 1}, {-48.0, 1}}) {
    ShowLevel(db);
    mEditor->Tick();
    EXPECT_EQ(Drawn(), frame) << db << " dB";
  }
  ShowLevel(-24.0);
  EXPECT_EQ(mEditor->Tick(), IRECT(10, 10, 110, 24));
  EXPECT_EQ(Drawn(), 51);
  ShowLevel(-24.1);  // the same frame
  EXPECT_FALSE(mMeter->IsDirty());
  EXPECT_TRUE(mEditor->Tick().Empty());
  ShowLevel(-20.0);
  EXPECT_TRUE(mMeter->IsDirty());
  EXPECT_EQ(mEditor->Tick(), IRECT(10, 10, 110, 24));
  EXPECT_EQ(Drawn(), 59);
  for (auto [db, frame] : {std::pair{-6.0, 89}, {0.0, 101}, {12.0, 101}}) {
    ShowLevel(db);
    mEditor->Tick();
    EXPECT_EQ(Drawn(), frame) << db << " dB";
  }
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

// The hovered knob's value box, (L + 20, T, R - 20, T + 14), has the same pixels as the
// expected box with the text, and hovering tells the host nothing.
TEST(HoverBox, ReadsTheValueNegatedOnlyWhenAskedAndNeverAsMinusZero) {
  const IRECT box(30, 10, 65, 24);
  struct Case {
    int param;
    double value;
    bool negate;
    const char* text;
  } const cases[] = {{GuiTestPlug::kThreshold, 24.0, true, "-24.0"},
                     {GuiTestPlug::kMakeUp, 24.0, false, "24.0"},
                     {GuiTestPlug::kThreshold, 0.0, true, "0.0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Strip knobStrip(75, 75, 101);
    GuiTestPlug expectedPlug, plug;
    IGraphicsHeadless* expected = MakeEditor(&expectedPlug);
    expected->AttachControl(new ExpectedBox(&expectedPlug, box, c.text));
    Attach(&expectedPlug, expected);
    expected->Tick();

    plug.GetParam(c.param)->Set(c.value);
    IGraphicsHeadless* editor = MakeEditor(&plug);
    editor->AttachControl(new ControlKnobHover(&plug, IRECT(10, 10, 85, 117), c.param,
                                               knobStrip.Get(), 32, c.negate));
    editor->HandleMouseOver(true);
    Attach(&plug, editor);
    editor->Tick();
    HostLog().take();
    IMouseMod none;
    editor->OnMouseOver(40, 80, &none);
    editor->Tick();
    int textPixels = 0;
    for (int y = box.T; y < box.B; ++y)
      for (int x = box.L; x < box.R; ++x) {
        const IColor got = editor->GetPoint(x, y);
        ASSERT_TRUE(got == expected->GetPoint(x, y)) << x << "," << y;
        textPixels += got.B > got.R + 40;
      }
    EXPECT_GT(textPixels, 10);
    EXPECT_TRUE(HostLog().take().empty());
  }
}

}  // namespace
