// Programs as a host uses them: factory values, edits that stay with the program being left,
// renaming, and a program that was never used.
#include <gtest/gtest.h>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using e2e::kNumParams;
using e2e::kNumPrograms;

TEST(Programs, FactoryPresetsHoldTheirValues) {
  auto plugin = e2e::openTundrax();
  EXPECT_EQ(plugin->program(), 0);
  for (int p = kNumPrograms - 1; p >= 0; --p) {
    SCOPED_TRACE(e2e::kProgramNames[p]);
    plugin->setProgram(p);
    EXPECT_EQ(plugin->program(), p);
    EXPECT_EQ(plugin->programName(), e2e::kProgramNames[p]);
    EXPECT_EQ(plugin->programNameIndexed(p), e2e::kProgramNames[p]);
    std::vector<double> values = e2e::realValues(*plugin);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kNumParams));
    for (int i = 0; i < kNumParams; ++i) {
      double expected = i >= 3 && i <= 11 ? e2e::kPresetSteps[p][i - 3] : e2e::kDefaults[i];
      EXPECT_EQ(values[i], expected) << "parameter " << i;
    }
    // Step parameters show their step and report it normalised over 0..2.
    EXPECT_EQ(plugin->paramDisplay(3), std::to_string(e2e::kPresetSteps[p][0]));
    EXPECT_EQ(plugin->getParameter(3), e2e::kPresetSteps[p][0] / 2.0f);
  }
}

TEST(Programs, EditsStayWithTheProgramBeingLeft) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(4);
  plugin->setParameter(13, 0.5f);  // threshold 24 dB
  plugin->setParameter(3, 0.0f);
  plugin->setProgram(1);
  EXPECT_EQ(e2e::realValues(*plugin)[13], 0.0);
  EXPECT_EQ(e2e::realValues(*plugin)[3], 1.0);
  plugin->setProgram(4);
  EXPECT_EQ(e2e::realValues(*plugin)[13], 24.0);
  EXPECT_EQ(e2e::realValues(*plugin)[3], 0.0);
  // Selecting the current program again keeps the edit too.
  plugin->setParameter(16, 0.25f);
  plugin->setProgram(4);
  EXPECT_EQ(e2e::realValues(*plugin)[16], 12.0);
  EXPECT_EQ(plugin->programName(), "808 Kick");
}

TEST(Programs, RenamingStoresTheCurrentValues) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(2);
  plugin->setParameter(12, 1.0f);
  plugin->setProgramName("Big Kick");
  EXPECT_EQ(plugin->programName(), "Big Kick");
  EXPECT_EQ(plugin->programNameIndexed(2), "Big Kick");
  plugin->setProgram(0);
  plugin->setProgram(2);
  EXPECT_EQ(e2e::realValues(*plugin)[12], 20.0);
  // An empty name keeps the old one.
  plugin->setProgramName("");
  EXPECT_EQ(plugin->programName(), "Big Kick");
}

// A bank whose sixth program carries no state: selecting it captures the current sound under a
// generated name instead of changing it.
TEST(Programs, ANeverUsedProgramCapturesTheCurrentSound) {
  auto plugin = e2e::openTundrax();
  std::vector<uint8_t> bank = plugin->getChunk(host::ChunkKind::Bank);
  // Walk to program 5 and rewrite it as "never used": name, flag 0, no state.
  std::size_t pos = 8;
  for (int p = 0; p < 5; ++p) pos += 4 + e2e::readInt32(bank, pos) + 1 + e2e::kProgramChunkSize - 8;
  ASSERT_EQ(std::string(bank.begin() + pos + 4, bank.begin() + pos + 4 + 13), "HipHop Kick 1");
  std::size_t flag = pos + 4 + 13;
  bank[flag] = 0;
  bank.erase(bank.begin() + flag + 1, bank.begin() + flag + 1 + 136);
  ASSERT_TRUE(plugin->setChunk(host::ChunkKind::Bank, bank));

  plugin->setProgram(8);
  plugin->setParameter(15, 0.9f);
  std::vector<double> before = e2e::realValues(*plugin);
  plugin->setProgram(5);
  EXPECT_EQ(plugin->program(), 5);
  EXPECT_EQ(plugin->programName(), "user preset 1");
  EXPECT_EQ(e2e::realValues(*plugin), before);
  // It is an ordinary program from then on.
  plugin->setProgram(0);
  plugin->setProgram(5);
  EXPECT_EQ(e2e::realValues(*plugin), before);
}

}  // namespace
