// A user at the editor: xdotool presses, drags, turns the wheel, types and picks from the
// popup menu; the host reads the parameters back and sees the edit gestures in order.
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "EditorSession.h"
#include "XServer.h"
#include "plugin/X11TestPlug.h"

namespace x11test {
namespace {

using Kind = host::HostEvent::Kind;
using P = X11TestPlug;

class EditorInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XDo("mousemove 1000 700");  // pointer away from the editor
    mSession.Open();
    mSession.Plug().host().events().clear();
  }
  void TearDown() override { EXPECT_EQ(TestDisplayErrors(), 0); }

  float Param(int idx) { return mSession.Plug().getParameter(idx); }
  // Waits until the parameter leaves `from`; returns its value then.
  float ChangedFrom(int idx, float from) {
    mSession.WaitFor([&] { return Param(idx) != from; });
    return Param(idx);
  }
  bool EntryHasFocus() {
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(TestDisplay(), &focus, &revert);
    return focus == mSession.EditorWindow();
  }
  // The gestures the host heard so far, waiting (idling) until the last one is an end-edit.
  std::vector<host::HostEvent> Gestures() {
    mSession.WaitFor([&] {
      auto events = mSession.Plug().host().events().events();
      return !events.empty() && events.back().kind == Kind::EndEdit;
    });
    return mSession.Plug().host().events().take();
  }

  EditorSession mSession;
};

TEST_F(EditorInputTest, ClicksOnSwitchesAndSelectorsStepTheirParameters) {
  mSession.Click(P::kBypassRect.L + 5, P::kBypassRect.T + 5);
  EXPECT_EQ(ChangedFrom(P::kBypass, 0.0f), 1.0f);
  mSession.Click(P::kBandRect.L + 10, P::kBandRect.T + 10);
  EXPECT_EQ(ChangedFrom(P::kBand, 0.0f), 0.5f);
  // A press right of the selector's click column does nothing.
  mSession.Click(P::kBandRect.R - 5, P::kBandRect.T + 10);
  mSession.Click(P::kQualityRect.L + 75, P::kQualityRect.T + 10);  // third column
  EXPECT_EQ(ChangedFrom(P::kQuality, 0.0f), 1.0f);
  EXPECT_EQ(Param(P::kBand), 0.5f);

  const auto events = Gestures();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), (host::HostEvent{Kind::BeginEdit, P::kBypass, 0.0f}));
  EXPECT_EQ(events[1], (host::HostEvent{Kind::Automate, P::kBypass, 1.0f}));
  EXPECT_EQ(events[2], (host::HostEvent{Kind::EndEdit, P::kBypass, 0.0f}));
  EXPECT_EQ(events.back(), (host::HostEvent{Kind::EndEdit, P::kQuality, 0.0f}));
}

TEST_F(EditorInputTest, KnobDragsFineWithShiftWheelStepsAndDoubleClickResets) {
  const int x = P::kGainRect.L + 37, y = P::kGainRect.T + 50;
  mSession.Drag(x, y, -40);
  const float coarse = ChangedFrom(P::kGain, 0.5f) - 0.5f;
  EXPECT_NEAR(coarse, 40.0 / (4.0 * P::kGainRect.H()), 0.01);

  const auto events = Gestures();
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), (host::HostEvent{Kind::BeginEdit, P::kGain, 0.0f}));
  EXPECT_EQ(events.back(), (host::HostEvent{Kind::EndEdit, P::kGain, 0.0f}));
  for (size_t i = 1; i + 1 < events.size(); ++i) EXPECT_EQ(events[i].kind, Kind::Automate);
  EXPECT_EQ(events[events.size() - 2].value, Param(P::kGain));

  const float before = Param(P::kGain);
  mSession.Drag(x, y, -40, "shift");
  EXPECT_NEAR(ChangedFrom(P::kGain, before) - before, coarse / 10.0, 0.004);

  const float beforeWheel = Param(P::kGain);
  mSession.At(x, y, "click 4");
  EXPECT_NEAR(ChangedFrom(P::kGain, beforeWheel) - beforeWheel, 0.01, 1e-4);

  const float beforeReset = Param(P::kGain);
  mSession.At(x, y, "click --repeat 2 --delay 60 1");
  EXPECT_EQ(ChangedFrom(P::kGain, beforeReset), 0.5f);
}

TEST_F(EditorInputTest, HoveringOverAKnobShowsItsValueBox) {
  const std::vector<uint32_t> before = mSession.Pixels();
  mSession.At(P::kGainRect.L + 37, P::kGainRect.T + 50, "");
  const int w = 300 * mSession.Scale(), boxY = (P::kGainRect.T + 7) * mSession.Scale();
  const int boxX = (P::kGainRect.L + 37) * mSession.Scale();
  EXPECT_TRUE(mSession.WaitFor(
      [&] { return mSession.Pixels()[boxY * w + boxX] != before[boxY * w + boxX]; }));
  // Leaving takes it away again.
  XDo("mousemove 1000 700");
  EXPECT_TRUE(mSession.WaitFor(
      [&] { return mSession.Pixels()[boxY * w + boxX] == before[boxY * w + boxX]; }));
  EXPECT_TRUE(mSession.Plug().host().events().events().empty());  // hovering tells nobody
}

TEST_F(EditorInputTest, RightClickOnAnEnumKnobOffersItsValuesInAMenu) {
  mSession.Click(P::kModeRect.L + 30, P::kModeRect.T + 30, 3);
  // The menu hangs below the control: items of 20 pixels from one pixel below its top.
  const int itemX = P::kModeRect.L + 30, hardY = P::kModeRect.B + 1 + 2 * 20 + 10;
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  XDo("mousemove " + std::to_string(itemX) + " " + std::to_string(hardY) + " click 1");
  EXPECT_EQ(ChangedFrom(P::kMode, 0.0f), 1.0f);
  const auto events = Gestures();
  EXPECT_EQ(events.back().kind, Kind::EndEdit);

  // Escape dismisses the menu without a change.
  mSession.Click(P::kModeRect.L + 30, P::kModeRect.T + 30, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  XDo("key Escape");
  mSession.WaitFor([] { return false; }, true, 300);
  EXPECT_EQ(Param(P::kMode), 1.0f);
}

TEST_F(EditorInputTest, TypedValuesCommitWithEnterRefuseCommasAndCancelWithEscape) {
  const int x = P::kGainRect.L + 37, y = P::kGainRect.T + 45;
  const auto normalized = [](double db) { return static_cast<float>((db + 24.0) / 48.0); };

  mSession.Click(x, y, 3);
  ASSERT_TRUE(mSession.WaitFor([&] { return EntryHasFocus(); }));
  XDo("type --delay 30 -- -3.5");
  XDo("key Return");
  EXPECT_FLOAT_EQ(ChangedFrom(P::kGain, 0.5f), normalized(-3.5));
  EXPECT_TRUE(mSession.WaitFor([&] { return !EntryHasFocus(); }));  // focus given back

  mSession.Click(x, y, 3);
  ASSERT_TRUE(mSession.WaitFor([&] { return EntryHasFocus(); }));
  XDo("type --delay 30 -- 1,5");
  XDo("key Return");
  EXPECT_FLOAT_EQ(ChangedFrom(P::kGain, normalized(-3.5)), normalized(15.0));

  mSession.Click(x, y, 3);
  ASSERT_TRUE(mSession.WaitFor([&] { return EntryHasFocus(); }));
  XDo("type --delay 30 -- 7");
  XDo("key Escape");
  EXPECT_TRUE(mSession.WaitFor([&] { return !EntryHasFocus(); }));
  mSession.WaitFor([] { return false; }, true, 200);
  EXPECT_FLOAT_EQ(Param(P::kGain), normalized(15.0));
}

}  // namespace
}  // namespace x11test
