// The X11 view's rules that need no server: key codes and modifiers, double clicks, the value
// entry's editing rule, and how the scale is chosen.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

#include "core/IParam.h"
#include "graphics/x11/TextEntryModel.h"
#include "graphics/x11/X11Input.h"
#include "graphics/x11/X11Scale.h"

namespace {

using namespace x11input;

TEST(X11Input, KeysMapToEngineCodesAndTheRestStayWithTheHost) {
  const KeySym syms[] = {XK_space, XK_Up, XK_Down,   XK_Left,      XK_Right, XK_0,
                         XK_q,     XK_Q,  XK_eacute, XK_BackSpace, XK_Delete};
  const int codes[] = {
      KEY_SPACE, KEY_UPARROW, KEY_DOWNARROW, KEY_LEFTARROW, KEY_RIGHTARROW, KEY_DIGIT_0, 31, 31, -1,
      -1,        -1};
  for (size_t i = 0; i < std::size(syms); ++i) EXPECT_EQ(EngineKeyCode(syms[i]), codes[i]) << i;
  EXPECT_EQ(EngineKeyCode(XK_9), KEY_DIGIT_0 + 9);
}

TEST(X11Input, ModifiersAndTheSuperKeyAsRightButton) {
  IMouseMod left = MouseMod(ShiftMask | ControlMask | Mod1Mask, false);
  EXPECT_TRUE(left.L && left.S && left.C && left.A);
  EXPECT_FALSE(left.R);
  IMouseMod superClick = MouseMod(Mod4Mask, false);
  EXPECT_TRUE(superClick.L && superClick.R);
  IMouseMod right = MouseMod(ShiftMask, true);
  EXPECT_FALSE(right.L);
  EXPECT_TRUE(right.R && right.S);
}

TEST(X11Input, DoubleClicksByTimeAndDistance) {
  DoubleClickDetector d;
  EXPECT_FALSE(d.Press(1000, 10, 10));
  EXPECT_TRUE(d.Press(1400, 14, 6));   // 400 ms, 4 pixels: still a double click
  EXPECT_FALSE(d.Press(1500, 14, 6));  // the third press starts a new pair
  EXPECT_FALSE(d.Press(1901, 14, 6));  // too late
  EXPECT_FALSE(d.Press(2000, 19, 6));  // too far
  EXPECT_TRUE(d.Press(2100, 19, 6));
  d.Reset();
  EXPECT_FALSE(d.Press(2200, 19, 6));
}

TEST(TextEntryModel, CharacterSetsFollowTheParameterKind) {
  TextEntryModel d(TextEntryModel::CharSetForParamType(IParam::kTypeDouble), 7, "0.0");
  EXPECT_TRUE(d.AllSelected());
  EXPECT_TRUE(d.Insert("-"));  // replaces the selected initial text
  EXPECT_TRUE(d.Insert("3"));
  EXPECT_FALSE(d.Insert(","));
  EXPECT_TRUE(d.Insert(".5"));
  EXPECT_EQ(d.Text(), "-3.5");

  TextEntryModel i(TextEntryModel::CharSetForParamType(IParam::kTypeInt), 0, "");
  EXPECT_TRUE(i.Insert("+12"));
  EXPECT_FALSE(i.Insert("."));
  EXPECT_EQ(i.Text(), "+12");

  TextEntryModel any(TextEntryModel::CharSetForParamType(IParam::kTypeNone), 0, "");
  EXPECT_TRUE(any.Insert("é, ok"));
}

TEST(TextEntryModel, MaximumLengthCaretAndDeletion) {
  TextEntryModel m("", 7, "");
  EXPECT_TRUE(m.Insert("1234567"));
  EXPECT_FALSE(m.Insert("8"));  // an eighth character is refused
  EXPECT_FALSE(m.Insert("89"));
  m.MoveLeft();
  m.MoveLeft();
  m.Backspace();
  EXPECT_EQ(m.Text(), "123467");
  m.Delete();
  EXPECT_EQ(m.Text(), "12347");
  m.MoveHome();
  EXPECT_TRUE(m.Insert("0"));
  EXPECT_EQ(m.Text(), "012347");
  m.SelectAll();
  m.Backspace();
  EXPECT_EQ(m.Text(), "");

  TextEntryModel utf8("", 2, "");
  EXPECT_TRUE(utf8.Insert("éé"));  // characters, not bytes
  utf8.Backspace();
  EXPECT_EQ(utf8.Text(), "é");
}

TEST(X11Scale, HostThenEnvironmentThenXftDpi) {
  EXPECT_EQ(x11scale::XftDpi("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192.0);
  EXPECT_EQ(x11scale::XftDpi("Xft.dpi:96"), 96.0);
  EXPECT_EQ(x11scale::XftDpi("Xcursor.size:\t24\n"), 0.0);
  EXPECT_EQ(x11scale::XftDpi(nullptr), 0.0);

  EXPECT_EQ(x11scale::Choose(2.0f, "1", 96.0), 2);
  EXPECT_EQ(x11scale::Choose(1.0f, "2", 192.0), 1);
  EXPECT_EQ(x11scale::Choose(1.5f, nullptr, 0.0), 2);
  EXPECT_EQ(x11scale::Choose(0.0f, "2", 96.0), 2);
  EXPECT_EQ(x11scale::Choose(0.0f, "3", 192.0), 2);  // not a scale we offer: the dpi decides
  EXPECT_EQ(x11scale::Choose(0.0f, nullptr, 191.0), 1);
  EXPECT_EQ(x11scale::Choose(0.0f, nullptr, 192.0), 2);
}

}  // namespace
