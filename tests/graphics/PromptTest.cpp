// Typed and picked values: what the engine accepts from a text entry or a menu. Opening the
// prompts from a control is exercised with the real controls.
#include <gtest/gtest.h>

#include <clocale>

#include "GraphicsTestSupport.h"

using namespace gfxtest;

namespace {
class PromptTest : public ::testing::Test {
 protected:
  PromptTest() : g(&plug, 100, 100) {
    knob = new TestControl("knob", IRECT(0, 0, 10, 10), kGain);
    sel = new TestControl("selector", IRECT(10, 0, 20, 10), kMode);
    sw = new TestControl("switch", IRECT(20, 0, 30, 10), kBypass);
    for (TestControl* t : {knob, sel, sw}) g.AttachControl(t);
    g.SetMenuHook([this](const IPopupMenu& menu, const IRECT&) {
      shown.clear();
      for (int i = 0; i < menu.GetNItems(); ++i) {
        const IPopupMenuItem* item = menu.GetItem(i);
        shown.push_back((item->GetChecked() ? "*" : "") + item->mText);
      }
      return answer;
    });
    g.SetTextEntryHook([this](const char* initial, const IRECT&, const IParam*) {
      prefilled = initial;
      return typed;
    });
  }
  IParam* P(int idx) { return plug.GetParam(idx); }

  RecordingPlug plug;
  IGraphicsHeadless g;
  TestControl *knob, *sel, *sw;
  IRECT area{0, 0, 40, 16};
  int answer = -1;
  std::vector<std::string> shown;
  std::optional<std::string> typed;
  std::string prefilled;
};
}  // namespace

TEST_F(PromptTest, TextThatIsNotAnInRangeNumberChangesNothing) {
  for (const char* bad : {"", "abc", "12abc", "1,5", "nan", "NaN", "inf", "-inf", "1e400", "25",
                          "-24.5", "0x10", "--1", "+-1", " "}) {
    g.SetFromStringAfterPrompt(knob, P(kGain), bad);
    EXPECT_EQ(knob->userInputs, 0) << '"' << bad << '"';
  }
  g.SetFromStringAfterPrompt(knob, P(kGain), " +24 ");
  EXPECT_DOUBLE_EQ(knob->value, 1.0);
  g.SetFromStringAfterPrompt(knob, P(kGain), "-2.4e1");
  EXPECT_DOUBLE_EQ(knob->value, 0.0);
  EXPECT_EQ(knob->userInputs, 2);

  // Nothing to act on: nothing happens.
  g.SetFromStringAfterPrompt(nullptr, P(kGain), "1");
  g.SetFromStringAfterPrompt(knob, nullptr, "1");
  g.SetFromStringAfterPrompt(knob, P(kGain), nullptr);
  g.PromptUserInput(nullptr, P(kGain), &area);
  g.PromptUserInput(knob, nullptr, &area);
  g.PromptUserInput(knob, P(kGain), nullptr);
  EXPECT_EQ(knob->userInputs, 2);
  EXPECT_TRUE(prefilled.empty());
}

TEST_F(PromptTest, NumbersIgnoreTheProcessLocale) {
  const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (!german) GTEST_SKIP() << "no comma-decimal locale installed";
  g.SetFromStringAfterPrompt(knob, P(kGain), "1,5");
  EXPECT_EQ(knob->userInputs, 0);
  g.SetFromStringAfterPrompt(knob, P(kGain), "12.0");
  EXPECT_DOUBLE_EQ(knob->value, 0.75);
  std::setlocale(LC_NUMERIC, "C");
}

TEST_F(PromptTest, NamedValuesPickByTextAndUnknownTextsPickNothing) {
  g.SetFromStringAfterPrompt(sel, P(kMode), "Hard");
  EXPECT_DOUBLE_EQ(sel->value, 1.0);
  g.SetFromStringAfterPrompt(sel, P(kMode), "Loud");
  g.SetFromStringAfterPrompt(sel, P(kMode), "7");
  EXPECT_EQ(sel->userInputs, 1);
  g.SetFromStringAfterPrompt(sel, P(kMode), "0");
  EXPECT_DOUBLE_EQ(sel->value, 0.0);

  // A bool picks from its texts too.
  answer = 1;
  g.PromptUserInput(sw, P(kBypass), &area);
  EXPECT_EQ(shown, (std::vector<std::string>{"*off", "on"}));
  EXPECT_DOUBLE_EQ(sw->value, 1.0);
  EXPECT_TRUE(prefilled.empty());
}

TEST_F(PromptTest, WithoutHooksMenusAreDismissedAndEntriesCancelled) {
  IGraphicsHeadless bare(&plug, 10, 10);
  bare.PromptUserInput(sel, P(kMode), &area);
  bare.PromptUserInput(knob, P(kGain), &area);
  EXPECT_EQ(sel->userInputs + knob->userInputs, 0);
}
