#include "core/IParam.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

std::string Display(const IParam& param) {
  char out[IParam::kDisplayBufSize];
  param.GetDisplayForHost(out);
  return out;
}

std::string DisplayOf(const IParam& param, double value, bool normalized = false) {
  char out[IParam::kDisplayBufSize];
  param.GetDisplayForHost(value, normalized, out, true);
  return out;
}

}  // namespace

// On and off, parsing and rounding are heard through the plug-in (tests/e2e ParameterTest).
TEST(IParam, BoolDropsItsLabelAndIntKeepsTheLargerMaximum) {
  IParam p;
  p.InitBool("Bypass", false, "unit");
  EXPECT_EQ(p.Type(), IParam::kTypeBool);
  EXPECT_STREQ(p.GetLabelForHost(), "");
  EXPECT_EQ(DisplayOf(p, 0.7), "off");  // truncation, not rounding

  IParam narrow;
  narrow.InitInt("Narrow", 0, 5, 3);
  double lo, hi;
  narrow.GetBounds(&lo, &hi);
  EXPECT_EQ(lo, 5.0);
  EXPECT_EQ(hi, 6.0);
}

// The curve itself is measured through the plug-in (tests/e2e ParameterTest); values outside the
// range map to the ends, and only the upper bound holds for normalised input.
TEST(IParam, RangeEndsOfTheShapedCurveAndOfNormalisedInput) {
  IParam p;
  p.InitDouble("Ratio", 2.0, 1.0, 20.0, 0.1);
  p.SetShape(2.66297);
  EXPECT_EQ(p.GetNormalized(50.0), p.GetNormalized(20.0));
  EXPECT_EQ(p.GetNormalized(-3.0), p.GetNormalized(1.0));
  EXPECT_EQ(DisplayOf(p, 2.0), "2.0");
  p.SetNormalized(1.2);
  EXPECT_EQ(p.Value(), 20.0);
  p.SetNormalized(-0.2);
  EXPECT_LT(p.Value(), 1.0);
  p.Set(-5.0);
  EXPECT_EQ(p.Value(), 1.0);
}

// setParameter drops NaN before it gets here; the parameter holds its value for every caller.
TEST(IParam, NotANumberNeverBecomesTheValue) {
  IParam p;
  p.InitDouble("Release", 50.0, 1.0, 500.0, 0.1, "ms", "", 2.33354);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  p.Set(nan);
  p.SetNormalized(nan);
  EXPECT_EQ(p.Value(), 50.0);
  p.Set(std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), 500.0);
  p.Set(-std::numeric_limits<double>::infinity());
  EXPECT_EQ(p.Value(), 1.0);
}

TEST(IParam, PrecisionFollowsTheStep) {
  struct Case {
    double step;
    int precision;
    const char* display;
  } cases[] = {{0.1, 1, "2.0"}, {0.01, 2, "2.00"}, {5.0, 0, "2"}, {1e-9, 6, "2.000000"}};
  for (const Case& c : cases) {
    IParam p;
    p.InitDouble("x", 2.0, 0.0, 10.0, c.step);
    EXPECT_EQ(p.GetPrecision(), c.precision) << c.step;
    EXPECT_EQ(Display(p), c.display) << c.step;
  }
}

TEST(IParam, DisplayTextsAndLabels) {
  IParam p;
  p.InitEnum("Mode", 0, 3, "unit");
  p.SetDisplayText(0, "");
  p.SetDisplayText(1, "one");
  p.SetDisplayText(1, "uno");  // not merged: the first wins
  EXPECT_EQ(Display(p), "0");  // an empty text shows the number
  EXPECT_STREQ(p.GetLabelForHost(), "unit");
  p.Set(1.0);
  EXPECT_EQ(Display(p), "one");
  EXPECT_STREQ(p.GetLabelForHost(), "");
  int value = 0;
  EXPECT_STREQ(p.GetDisplayTextAtIdx(2, &value), "uno");
  EXPECT_EQ(value, 1);
  EXPECT_EQ(p.GetNDisplayTexts(), 3);
}

TEST(IParam, TextsAreCutToTheirFieldsAndDisplaysToTheirBuffer) {
  IParam p;
  const std::string longName(40, 'n');
  p.InitDouble(longName.c_str(), 0.0, 0.0, 1.0, 1e-9, longName.c_str());
  EXPECT_EQ(std::string(p.GetNameForHost()), longName.substr(0, IParam::kMaxTextLen));
  char out[IParam::kDisplayBufSize + 8];
  std::fill(std::begin(out), std::end(out), '#');
  p.GetDisplayForHost(1e300, false, out, true);
  EXPECT_EQ(out[IParam::kDisplayBufSize], '#');
  EXPECT_EQ(strlen(out), static_cast<size_t>(IParam::kMaxTextLen));
}

TEST(IParam, DisplayIgnoresTheProcessLocale) {
  const char* const locales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
  const char* set = nullptr;
  for (const char* name : locales) {
    if ((set = setlocale(LC_NUMERIC, name))) break;
  }
  if (!set) GTEST_SKIP() << "no comma-decimal locale installed";
  IParam p;
  p.InitDouble("x", 2.5, 0.0, 10.0, 0.1);
  const std::string shown = Display(p);
  setlocale(LC_NUMERIC, "C");
  EXPECT_EQ(shown, "2.5");
}
