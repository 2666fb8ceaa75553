// Mouse and key gestures through the editor engine against a plug-in on the real VST2
// binding: what the controls do with them and what the host hears.
#include <optional>
#include <string>

#include "EditorFixture.h"
#include "controls/ControlKnobHover.h"
#include "controls/ControlSwitches.h"
#include "controls/ITextControl.h"

namespace {

const IRECT kKnobRect(10, 10, 85, 117);  // 75 × 107 with a 32-pixel label strip
constexpr int kKnobX = 40;
constexpr int kKnobY = 80;
const IMouseMod kLeft(true, false);
const IMouseMod kShift(true, false, true);
const IMouseMod kControl(true, false, false, true);
const IMouseMod kRight(false, true);

class Gestures : public EditorTest {
 protected:
  ControlKnobHover* AddKnob(int param, bool negate = false) {
    return Add<ControlKnobHover>(kKnobRect, param, mKnobStrip.Get(), 32, negate);
  }
};

TEST_F(Gestures, EachGestureReachesTheHostInOrder) {
  AddKnob(GuiTestPlug::kMakeUp);
  Open();
  const int p = GuiTestPlug::kMakeUp;

  Drag(kKnobX, kKnobY, -107);
  EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, 0.25), End(p)}));

  Click(kKnobX, kKnobY);  // a press without movement changes nothing
  EXPECT_EQ(Heard(), (std::vector{Begin(p), End(p)}));

  IMouseMod mod = kLeft;
  mEditor->OnMouseWheel(kKnobX, kKnobY, &mod, 1);
  EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, 0.26), End(p)}));

  // Back to the first value the plug-in pushed.
  mEditor->OnMouseDblClick(kKnobX, kKnobY, &mod);
  EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, 0.0), End(p)}));
  EXPECT_EQ(Normalized(p), 0.0);
}

// The label strip over the knob takes no input. A full sweep of the 107-pixel knob takes four
// times its height and stops at the ends; fine takes ten times that, with shift or the control
// key.
TEST_F(Gestures, KnobGearingWheelStepsAndTheLabelStrip) {
  auto* knob = AddKnob(GuiTestPlug::kMakeUp);
  Open();
  const int top = kKnobRect.T;
  Drag(kKnobX, top + 32, -107);  // the strip's last row
  IMouseMod plain = kLeft, fine = kControl;
  mEditor->OnMouseWheel(kKnobX, top + 32, &plain, 5);
  for (const host::HostEvent& call : Heard()) EXPECT_NE(call.kind, host::HostEvent::Kind::Automate);
  EXPECT_EQ(knob->GetValue(), 0.0);
  Drag(kKnobX, top + 33, -107);  // the knob's first row
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.25);

  Drag(kKnobX, kKnobY, -214);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.75);
  Drag(kKnobX, kKnobY, -214);
  EXPECT_EQ(Normalized(GuiTestPlug::kMakeUp), 1.0);
  Drag(kKnobX, kKnobY, 428, kShift);
  EXPECT_NEAR(knob->GetValue(), 0.9, 1e-12);
  Drag(kKnobX, kKnobY, 3852, kControl);
  EXPECT_NEAR(knob->GetValue(), 0.0, 1e-12);
  Drag(kKnobX, kKnobY, -428 * 10, kShift);
  EXPECT_NEAR(knob->GetValue(), 1.0, 1e-12);

  mEditor->OnMouseWheel(kKnobX, kKnobY, &plain, -3);
  EXPECT_NEAR(knob->GetValue(), 0.97, 1e-12);
  mEditor->OnMouseWheel(kKnobX, kKnobY, &fine, -3);
  EXPECT_NEAR(knob->GetValue(), 0.967, 1e-12);
}

// A switch steps through its frames and round; a QSwitch takes the column under the pointer,
// with any button.
TEST_F(Gestures, SwitchesStepAndTheQSwitchPicksTheColumnUnderThePointer) {
  auto* sw = Add<ISwitchControl>(10, 10, GuiTestPlug::kQuality, mThreeFrames.Get());
  Add<ControlQSwitch>(10, 40, GuiTestPlug::kMode, mThreeFrames.Get());
  Open();
  const int p = GuiTestPlug::kQuality, q = GuiTestPlug::kMode;
  for (double expected : {0.5, 1.0, 0.0}) {
    Click(20, 15);
    EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, expected), End(p)}));
    EXPECT_EQ(sw->GetValue(), expected);
  }
  const std::pair<int, double> cases[] = {{29, 0.0}, {30, 0.5}, {59, 0.5},
                                          {60, 1.0}, {89, 1.0}, {0, 0.0}};
  for (auto [dx, expected] : cases) {
    Click(10 + dx, 45, kRight);
    EXPECT_EQ(Heard(), (std::vector{Begin(q), Automate(q, expected), End(q)})) << "x = L+" << dx;
  }
}

TEST_F(Gestures, SelectorKnobStepsOnlyInItsClickColumn) {
  Strip wide(75, 75, 3);
  auto* knob = Add<ControlKnob>(10, 10, GuiTestPlug::kQuality, wide.Get());
  Open();
  Click(10 + 61, 40);
  EXPECT_EQ(knob->GetValue(), 0.0);
  Click(10 + 60, 40);
  EXPECT_EQ(knob->GetValue(), 0.5);
  // A double click is its first press and one more step: from 0.5 to 1.0, then round to 0.0.
  IMouseMod mod = kLeft;
  mEditor->OnMouseDown(20, 40, &mod);
  mEditor->OnMouseUp(20, 40, &mod);
  EXPECT_EQ(knob->GetValue(), 1.0);
  mEditor->OnMouseDblClick(20, 40, &mod);
  EXPECT_EQ(knob->GetValue(), 0.0);
}

TEST_F(Gestures, HoverShowsTheValueAndSendsNothing) {
  auto* knob = AddKnob(GuiTestPlug::kThreshold, true);
  mEditor->HandleMouseOver(true);
  Open();
  IMouseMod none;
  mEditor->OnMouseOver(kKnobX, kKnobY, &none);
  EXPECT_TRUE(knob->IsHovering());
  EXPECT_FALSE(mEditor->Tick().Empty());
  mEditor->OnMouseOver(kKnobX, kKnobRect.T + 20, &none);  // over the label strip
  EXPECT_FALSE(knob->IsHovering());
  mEditor->OnMouseOver(kKnobX, kKnobY, &none);
  mEditor->OnMouseOver(200, 150, &none);  // onto the background
  EXPECT_FALSE(knob->IsHovering());
  mEditor->OnMouseOver(kKnobX, kKnobY, &none);
  mEditor->OnMouseOut();  // out of the editor
  EXPECT_FALSE(knob->IsHovering());
  mEditor->Tick();
  EXPECT_TRUE(Heard().empty());
}

TEST_F(Gestures, AnEnumPromptIsAMenuWithTheCurrentEntryChecked) {
  auto* caption = Add<ICaptionControl>(IRECT(10, 10, 110, 30), GuiTestPlug::kMode, IText());
  caption->DisablePrompt(false);
  Open();
  std::vector<std::string> items;
  int checked = -1, answer = -1;
  mEditor->SetMenuHook([&](const IPopupMenu& menu, const IRECT&) {
    auto& m = const_cast<IPopupMenu&>(menu);
    items.clear();
    for (int i = 0; i < m.GetNItems(); ++i) {
      items.push_back(m.GetItemText(i));
      if (m.GetItem(i)->GetChecked()) checked = i;
    }
    return answer;
  });
  // Dismissed, or answered with an item that does not exist: nothing changes.
  for (int bad : {-1, 3, 1000}) {
    answer = bad;
    Click(50, 20, kRight);
  }
  for (const host::HostEvent& call : Heard()) EXPECT_NE(call.kind, host::HostEvent::Kind::Automate);
  answer = 2;
  Click(50, 20, kRight);
  EXPECT_EQ(items, (std::vector<std::string>{"Soft", "Medium", "Hard"}));
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(mPlug.GetParam(GuiTestPlug::kMode)->Value(), 2.0);
  const int p = GuiTestPlug::kMode;
  EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, 1.0), End(p)}));
}

TEST_F(Gestures, ANumberPromptIsATextEntryWithTheDisplayString) {
  mPlug.GetParam(GuiTestPlug::kThreshold)->Set(24.0);
  auto* caption = Add<ICaptionControl>(IRECT(100, 200, 175, 275), GuiTestPlug::kThreshold, IText());
  caption->DisablePrompt(false);
  Open();
  std::string initial;
  IRECT area;
  std::optional<std::string> typed;  // cancelled first
  mEditor->SetTextEntryHook([&](const char* text, const IRECT& r, const IParam*) {
    initial = text;
    area = r;
    return typed;
  });
  IMouseMod mod = kLeft;
  mEditor->OnMouseDblClick(130, 230, &mod);
  EXPECT_EQ(mPlug.GetParam(GuiTestPlug::kThreshold)->Value(), 24.0);
  typed = "12.5";
  mEditor->OnMouseDblClick(130, 230, &mod);
  EXPECT_EQ(initial, "24.0");
  EXPECT_EQ(area, IRECT(117, 229, 157, 245));  // 40 × 16, centred on the control
  EXPECT_EQ(mPlug.GetParam(GuiTestPlug::kThreshold)->Value(), 12.5);
}

TEST_F(Gestures, AnEditShowsTheValueAndNameInTheirDisplays) {
  auto* knob = AddKnob(GuiTestPlug::kMakeUp);
  auto* value = Add<ITextControl>(IRECT(100, 10, 200, 30), IText());
  auto* name = Add<ITextControl>(IRECT(100, 40, 200, 60), IText());
  knob->SetValDisplayControl(value);
  knob->SetNameDisplayControl(name);
  Open();
  Drag(kKnobX, kKnobY, -107);
  EXPECT_STREQ(value->GetTextString(), "12.0 dB");
  EXPECT_STREQ(name->GetTextString(), "Make-up");
  EXPECT_EQ(mEditor->Tick(), IRECT(10, 10, 200, 117));
}

TEST_F(Gestures, AContactSpringsBackOnRelease) {
  Add<IContactControl>(10, 10, GuiTestPlug::kBypass, mTwoFrames.Get());
  Open();
  Click(15, 15);
  const int p = GuiTestPlug::kBypass;
  EXPECT_EQ(Heard(), (std::vector{Begin(p), Automate(p, 1.0), Automate(p, 0.0), End(p)}));
}

}  // namespace
