// The LV2 library driven through its entry points as a host drives it: what it exports,
// control values a host should never send, ports left unconnected or connected late, cycles
// longer than the block size, and what the meter ports show.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Lv2Host.h"
#include "tests/e2e/RunCommand.h"
#include "tools/kickgen/KickSynth.h"

namespace {

using lv2test::Lv2Plugin;

constexpr uint32_t kRatio = 12, kThreshold = 13, kAttack = 14, kMakeup = 16, kWarmthFrequency = 3;

void feedKick(Lv2Plugin& plugin, double seconds) {
  std::vector<double> kick = kickgen::synthesizeKicks(48000, seconds);
  plugin.inL.assign(kick.begin(), kick.end());
  plugin.inR = plugin.inL;
}

void setDefaults(Lv2Plugin& plugin) {
  plugin.param(kRatio) = 2.0f;
  plugin.param(kAttack) = 10.0f;
  plugin.param(15) = 50.0f;
}

bool allFinite(const std::vector<float>& samples) {
  for (float s : samples) {
    if (!std::isfinite(s)) return false;
  }
  return true;
}

TEST(Lv2Entry, ExportsOnlyTheDescriptor) {
  Lv2Plugin plugin;
  EXPECT_STREQ(plugin.descriptor()->URI, "urn:orvalline:tundrax");
  EXPECT_NE(plugin.stateInterface(), nullptr);
  EXPECT_EQ(plugin.descriptor()->extension_data("urn:nothing"), nullptr);
  const std::string symbols = runCommand("nm -D --defined-only '" TUNDRAX_LV2_BINARY "'");
  EXPECT_NE(symbols.find(" lv2_descriptor\n"), std::string::npos) << symbols;
  EXPECT_EQ(symbols.find('\n'), symbols.rfind('\n')) << "more than one export:\n" << symbols;
  // The editor lives in a UI binary of its own: the plug-in needs no X11 or image libraries.
  const std::string needed = runCommand("ldd '" TUNDRAX_LV2_BINARY "'");
  for (const char* library : {"libX11", "libpng", "libfreetype", "libfontconfig"}) {
    EXPECT_EQ(needed.find(library), std::string::npos) << library << " in\n" << needed;
  }
}

TEST(Lv2Ports, ControlValuesAreClampedAndNotANumberIsIgnored) {
  Lv2Plugin plugin;
  feedKick(plugin, 0.5);
  setDefaults(plugin);
  plugin.connectAll();
  plugin.activate();
  plugin.param(kRatio) = 0.25f;  // below the range, on a curved parameter
  plugin.param(kThreshold) = std::numeric_limits<float>::quiet_NaN();
  plugin.param(kAttack) = std::numeric_limits<float>::infinity();
  plugin.param(kMakeup) = -1e30f;
  plugin.param(kWarmthFrequency) = 7.0f;
  plugin.process(512);
  const std::vector<uint8_t> chunk = plugin.programChunk();
  ASSERT_EQ(chunk.size(), 144u);
  EXPECT_EQ(lv2test::chunkValue(chunk, kRatio), 1.0);
  EXPECT_EQ(lv2test::chunkValue(chunk, kThreshold), 0.0);  // unchanged default
  EXPECT_EQ(lv2test::chunkValue(chunk, kAttack), 100.0);
  EXPECT_EQ(lv2test::chunkValue(chunk, kMakeup), 0.0);
  EXPECT_EQ(lv2test::chunkValue(chunk, kWarmthFrequency), 2.0);
  // A port showing the parameter's own value leaves it exact (no trip through the curve).
  EXPECT_EQ(lv2test::chunkValue(chunk, 15), 50.0);
  EXPECT_TRUE(allFinite(plugin.outL) && allFinite(plugin.outR));
}

TEST(Lv2Ports, UnconnectedPortsAndPortsConnectedAfterActivate) {
  Lv2Plugin bare;
  bare.activate();
  bare.run(4096);  // nothing connected: silence in, nothing out, no control read
  bare.run(0);

  Lv2Plugin late;
  Lv2Plugin early;
  feedKick(late, 0.3);
  feedKick(early, 0.3);
  setDefaults(early);
  early.connectAll();
  early.activate();
  early.process(256);
  late.activate();
  setDefaults(late);
  late.connectAll();
  late.process(256);
  EXPECT_EQ(late.outL, early.outL);
  EXPECT_EQ(late.outR, early.outR);
}

TEST(Lv2Ports, CyclesLongerThanTheBlockGiveTheSameBits) {
  Lv2Plugin small(48000.0, 64);
  Lv2Plugin large;
  for (Lv2Plugin* plugin : {&small, &large}) {
    feedKick(*plugin, 1.0);
    setDefaults(*plugin);
    plugin->param(kThreshold) = 18.0f;
    plugin->connectAll();
    plugin->activate();
  }
  small.process(3000);  // split into blocks of 64
  large.process(37);
  EXPECT_EQ(small.outL, large.outL);
  EXPECT_EQ(small.outR, large.outR);
}

TEST(Lv2Meters, GainReductionAndAnOutputLevelThatFallsBackInSilence) {
  Lv2Plugin plugin;
  feedKick(plugin, 0.5);
  setDefaults(plugin);
  plugin.param(kThreshold) = 18.0f;
  plugin.connectAll();
  plugin.activate();
  float maxReduction = 0.0f, maxLevel = -100.0f;
  for (std::size_t at = 0; at < plugin.inL.size(); at += 512) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(512, plugin.inL.size() - at));
    plugin.connect(0, plugin.inL.data() + at);
    plugin.connect(1, plugin.inR.data() + at);
    plugin.outL.resize(plugin.inL.size());
    plugin.outR.resize(plugin.inL.size());
    plugin.connect(2, plugin.outL.data() + at);
    plugin.connect(3, plugin.outR.data() + at);
    plugin.run(n);
    maxReduction = std::max(maxReduction, plugin.control(lv2test::kGainReductionPort));
    maxLevel = std::max(maxLevel, plugin.control(lv2test::kOutputLevelPort));
  }
  EXPECT_GT(maxReduction, 3.0f);
  EXPECT_GT(maxLevel, -12.0f);
  EXPECT_LE(maxLevel, 0.0f);

  // Ten seconds of silence: the held peak is let go every cycle, so the level falls to the
  // bottom of the scale instead of showing the loudest sample forever.
  plugin.inL.assign(48000 * 10, 0.0f);
  plugin.inR = plugin.inL;
  plugin.process(512);
  EXPECT_LT(plugin.control(lv2test::kOutputLevelPort), -47.99f);
  EXPECT_LT(plugin.control(lv2test::kGainReductionPort), 0.01f);
}

}  // namespace
