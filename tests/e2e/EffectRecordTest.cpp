// What a host sees when it loads Tundrax: the effect record, the identity strings and the
// parameters; and instances that live side by side and come and go cleanly.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using e2e::kNumParams;
using e2e::kNumPrograms;

TEST(EffectRecord, RecordStringsAndParameters) {
  auto plugin = e2e::openTundrax();
  const vst2::AEffect& e = plugin->effect();
  EXPECT_EQ(plugin->library().entryName(), "VSTPluginMain");
  EXPECT_EQ(e.magic, vst2::kEffectMagic);
  EXPECT_EQ(e.numParams, kNumParams);
  EXPECT_EQ(e.numPrograms, kNumPrograms);
  EXPECT_EQ(e.numInputs, 2);
  EXPECT_EQ(e.numOutputs, 2);
  EXPECT_EQ(e.uniqueID, vst2::FourCC('z', 'o', 'o', 'r'));
  EXPECT_EQ(e.version, 10002);
  EXPECT_EQ(e.flags, 0x1019);  // editor, mono-capable, replacing, double replacing
  EXPECT_EQ(e.initialDelay, 0);
  EXPECT_EQ(e.ioRatio, 1.0f);
  EXPECT_NE(e.process, nullptr);
  EXPECT_NE(e.processReplacing, nullptr);
  EXPECT_NE(e.processDoubleReplacing, nullptr);
  EXPECT_NE(e.object, nullptr);
  EXPECT_EQ(e.resvd2, 0);
  for (char byte : e.future) EXPECT_EQ(byte, 0);
  EXPECT_EQ(plugin->effectName(), "Tundrax");
  EXPECT_EQ(plugin->vendorString(), "Orvalline");
  EXPECT_EQ(plugin->productString(), "");
  EXPECT_EQ(plugin->dispatch(vst2::effGetTailSize), 0);

  const char* defaultDisplays[kNumParams] = {"off", "off", "off",  "0",    "0",  "0",
                                             "0",   "0",   "0",    "0",    "0",  "0",
                                             "2.0", "0.0", "10.0", "50.0", "0.0"};
  for (int i = 0; i < kNumParams; ++i) {
    SCOPED_TRACE(i);
    if (*e2e::kParams[i].name) {
      EXPECT_EQ(plugin->paramName(i), e2e::kParams[i].name);
    }
    EXPECT_FALSE(plugin->paramName(i).empty());
    EXPECT_EQ(plugin->paramLabel(i), e2e::kParams[i].label);
    EXPECT_EQ(plugin->paramDisplay(i), defaultDisplays[i]);
    EXPECT_TRUE(plugin->canBeAutomated(i));
  }
}

TEST(EffectRecord, InstancesAreIndependent) {
  auto library = e2e::loadTundrax();
  auto first = e2e::openTundrax(library);
  auto second = e2e::openTundrax(library);
  EXPECT_NE(&first->effect(), &second->effect());
  first->setParameter(13, 0.5f);
  first->setProgramName("Mine");
  EXPECT_EQ(second->getParameter(13), 0.0f);
  EXPECT_EQ(second->programName(), "Default");
  EXPECT_EQ(first->getParameter(13), 0.5f);
  // Closing in either order leaves the other working.
  first->close();
  EXPECT_EQ(second->effectName(), "Tundrax");
  auto third = e2e::openTundrax(library);
  second.reset();
  EXPECT_EQ(third->programName(), "Default");
}

bool isMapped(const std::string& path) {
  std::ifstream maps("/proc/self/maps");
  std::string name = path.substr(path.rfind('/') + 1);
  for (std::string line; std::getline(maps, line);) {
    if (line.find(name) != std::string::npos) return true;
  }
  return false;
}

TEST(EffectRecord, LoadsAndUnloadsRepeatedly) {
  for (int round = 0; round < 20; ++round) {
    auto library = e2e::loadTundrax();
    auto a = e2e::openTundrax(library);
    a->resume();
    a->suspend();
    auto b = e2e::openTundrax(library);
    if (round % 2) std::swap(a, b);
    a.reset();
    b.reset();
  }
  // Nothing keeps the library mapped once every instance and handle is gone (a symbol of
  // unique binding would).
  EXPECT_FALSE(isMapped(TUNDRAX_PLUGIN_PATH));
}

}  // namespace
