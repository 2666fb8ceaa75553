// Parameters through setParameter/getParameter and effString2Parameter: shaped curves, step
// rounding, texts, and values that must never reach a parameter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using e2e::kNumParams;

std::string oneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

TEST(Parameters, ShapedCurvesMapNormalisedValues) {
  auto plugin = e2e::openTundrax();
  for (int index : {12, 14, 15}) {
    for (float n : {0.0f, 0.1f, 0.5f, 0.77f, 1.0f}) {
      SCOPED_TRACE(testing::Message() << "parameter " << index << " at " << n);
      plugin->setParameter(index, n);
      const double expected = e2e::realFor(index, n);
      EXPECT_NEAR(e2e::realValues(*plugin)[index], expected, 1e-9 * e2e::kParams[index].max);
      EXPECT_NEAR(plugin->getParameter(index), n, 1e-6);
      EXPECT_EQ(plugin->paramDisplay(index), oneDecimal(expected));
    }
  }
  // Ratio at half travel is about 4.97; its default 2.0 sits near 0.2.
  plugin->setParameter(12, 0.5f);
  EXPECT_EQ(plugin->paramDisplay(12), "5.0");
  auto fresh = e2e::openTundrax();
  EXPECT_NEAR(fresh->getParameter(12), 0.19971, 1e-5);
  // Linear ones: threshold and make-up, 0..48 dB.
  plugin->setParameter(13, 0.25f);
  EXPECT_EQ(e2e::realValues(*plugin)[13], 12.0);
  EXPECT_EQ(plugin->paramDisplay(13), "12.0");
}

TEST(Parameters, StepParametersRound) {
  auto plugin = e2e::openTundrax();
  struct Case {
    float normalised;
    double value;
    const char* display;
  };
  for (Case c :
       {Case{0.0f, 0, "0"}, Case{0.2f, 0, "0"}, Case{0.24f, 0, "0"}, Case{0.26f, 1, "1"},
        Case{0.4f, 1, "1"}, Case{0.74f, 1, "1"}, Case{0.75f, 2, "2"}, Case{1.0f, 2, "2"}}) {
    plugin->setParameter(7, c.normalised);
    EXPECT_EQ(e2e::realValues(*plugin)[7], c.value) << c.normalised;
    EXPECT_EQ(plugin->paramDisplay(7), c.display) << c.normalised;
    EXPECT_EQ(plugin->getParameter(7), static_cast<float>(c.value / 2.0)) << c.normalised;
  }
  for (Case c : {Case{0.49f, 0, "off"}, Case{0.5f, 1, "on"}, Case{1.0f, 1, "on"}}) {
    plugin->setParameter(1, c.normalised);
    EXPECT_EQ(e2e::realValues(*plugin)[1], c.value) << c.normalised;
    EXPECT_EQ(plugin->paramDisplay(1), c.display) << c.normalised;
  }
  EXPECT_EQ(plugin->paramLabel(1), "");
}

TEST(Parameters, TextEntry) {
  auto plugin = e2e::openTundrax();
  EXPECT_TRUE(plugin->setParameterFromText(0, "on"));
  EXPECT_EQ(plugin->paramDisplay(0), "on");
  EXPECT_FALSE(plugin->setParameterFromText(0, "On"));
  EXPECT_FALSE(plugin->setParameterFromText(0, "maybe"));
  EXPECT_EQ(plugin->paramDisplay(0), "on");
  EXPECT_TRUE(plugin->setParameterFromText(0, "off"));
  EXPECT_EQ(plugin->paramDisplay(0), "off");

  // No step rounding, clamped into the range.
  EXPECT_TRUE(plugin->setParameterFromText(12, "3.7"));
  EXPECT_EQ(e2e::realValues(*plugin)[12], 3.7);
  EXPECT_TRUE(plugin->setParameterFromText(12, "50"));
  EXPECT_EQ(e2e::realValues(*plugin)[12], 20.0);
  EXPECT_TRUE(plugin->setParameterFromText(12, "-3"));
  EXPECT_EQ(e2e::realValues(*plugin)[12], 1.0);
  EXPECT_TRUE(plugin->setParameterFromText(14, "  25.5 ms"));
  EXPECT_EQ(e2e::realValues(*plugin)[14], 25.5);
  EXPECT_TRUE(plugin->setParameterFromText(3, "1.6"));
  EXPECT_EQ(e2e::realValues(*plugin)[3], 1.6);
  // A text without a number reads as 0, clamped.
  EXPECT_TRUE(plugin->setParameterFromText(15, "fast"));
  EXPECT_EQ(e2e::realValues(*plugin)[15], 1.0);
}

TEST(Parameters, NonFiniteValuesNeverReachAParameter) {
  auto plugin = e2e::openTundrax();
  plugin->setParameter(12, 0.5f);
  plugin->setParameter(13, 0.5f);
  const std::vector<double> before = e2e::realValues(*plugin);
  const float inf = std::numeric_limits<float>::infinity();
  for (int i = 0; i < kNumParams; ++i) {
    plugin->setParameter(i, std::numeric_limits<float>::quiet_NaN());
    plugin->setParameter(i, -std::numeric_limits<float>::signaling_NaN());
  }
  EXPECT_EQ(e2e::realValues(*plugin), before);
  for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "+INF"}) {
    for (int i : {12, 13, 14, 15, 16}) {
      EXPECT_FALSE(plugin->setParameterFromText(i, text)) << text;
    }
  }
  EXPECT_EQ(e2e::realValues(*plugin), before);
  EXPECT_TRUE(e2e::allParamsSane(*plugin));

  // Values outside 0..1 are held at the ends of the range.
  for (int i = 0; i < kNumParams; ++i) {
    for (float value : {inf, -inf, 2.0f, -1.0f, 1e-45f, -1e-45f, 1.0000001f}) {
      plugin->setParameter(i, value);
      ASSERT_TRUE(e2e::allParamsSane(*plugin)) << "parameter " << i << " set to " << value;
    }
  }
  plugin->setParameter(13, -inf);
  EXPECT_EQ(e2e::realValues(*plugin)[13], 0.0);
  plugin->setParameter(13, inf);
  EXPECT_EQ(e2e::realValues(*plugin)[13], 48.0);
}

// A number too large for a double is infinite, not zero: refused like "inf", or held at the
// top of the range; never read as 0 and set to the bottom.
TEST(Parameters, NumbersBeyondDoubleRangeAreNotReadAsZero) {
  auto plugin = e2e::openTundrax();
  plugin->setParameter(12, 0.5f);
  const double before = e2e::realValues(*plugin)[12];
  if (plugin->setParameterFromText(12, "1e999")) {
    EXPECT_EQ(e2e::realValues(*plugin)[12], 20.0) << "1e999 was read as a small number";
  } else {
    EXPECT_EQ(e2e::realValues(*plugin)[12], before);
  }
}

}  // namespace
