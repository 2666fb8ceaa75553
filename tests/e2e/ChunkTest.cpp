// Program and bank chunks byte for byte, and state that survives a save and a load.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using e2e::kNumParams;
using e2e::kNumPrograms;
using host::ChunkKind;

const uint8_t kHeader[8] = {'t', 'f', 'f', 'p', 0x00, 0x00, 0x01, 0x00};

TEST(Chunks, ProgramChunkIsTheHeaderAndSeventeenDoubles) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(7);
  plugin->setParameter(14, 1.0f);
  std::vector<uint8_t> chunk = plugin->getChunk(ChunkKind::Program);
  ASSERT_EQ(chunk.size(), 144u);
  EXPECT_EQ(std::memcmp(chunk.data(), kHeader, 8), 0);
  // Every program's values at 8 + 8 i are checked in ProgramTest (e2e::realValues reads them).
  EXPECT_EQ(e2e::readDouble(chunk, 8 + 8 * 14), 100.0);
  EXPECT_EQ(e2e::readDouble(chunk, 8 + 8 * 16), 0.0);
  // Asking twice gives the same bytes.
  EXPECT_EQ(plugin->getChunk(ChunkKind::Program), chunk);
}

TEST(Chunks, BankChunkHoldsEveryProgramInOrder) {
  auto plugin = e2e::openTundrax();
  std::vector<uint8_t> bank = plugin->getChunk(ChunkKind::Bank);
  EXPECT_EQ(std::memcmp(bank.data(), kHeader, 8), 0);
  std::size_t pos = 8;
  for (int p = 0; p < kNumPrograms; ++p) {
    SCOPED_TRACE(e2e::kProgramNames[p]);
    const std::string name = e2e::kProgramNames[p];
    ASSERT_LE(pos + 4 + name.size() + 1 + 136, bank.size());
    EXPECT_EQ(e2e::readInt32(bank, pos), static_cast<int32_t>(name.size()));
    EXPECT_EQ(std::string(bank.begin() + pos + 4, bank.begin() + pos + 4 + name.size()), name);
    pos += 4 + name.size();
    EXPECT_EQ(bank[pos], 1);
    ++pos;
    for (int i = 0; i < kNumParams; ++i) {
      double expected = i >= 3 && i <= 11 ? e2e::kPresetSteps[p][i - 3] : e2e::kDefaults[i];
      EXPECT_EQ(e2e::readDouble(bank, pos + 8 * i), expected) << i;
    }
    pos += 136;
  }
  EXPECT_EQ(pos, bank.size());
  EXPECT_EQ(bank.size(), 1691u);
}

TEST(Chunks, BankAndProgramSurviveSaveAndLoad) {
  auto library = e2e::loadTundrax();
  auto source = e2e::openTundrax(library);
  source->setProgram(3);
  source->setParameter(12, 0.3f);
  source->setProgramName("Edited");
  source->setProgram(6);
  source->setParameter(13, 0.8f);
  source->setParameter(1, 1.0f);
  std::vector<uint8_t> bank = source->getChunk(ChunkKind::Bank);
  std::vector<uint8_t> program = source->getChunk(ChunkKind::Program);

  auto target = e2e::openTundrax(library);
  ASSERT_TRUE(target->setChunk(ChunkKind::Bank, bank));
  target->setProgram(6);
  ASSERT_TRUE(target->setChunk(ChunkKind::Program, program));
  EXPECT_EQ(target->getChunk(ChunkKind::Bank), bank);
  EXPECT_EQ(target->getChunk(ChunkKind::Program), program);
  EXPECT_EQ(target->programNameIndexed(3), "Edited");
  for (int i = 0; i < kNumParams; ++i)
    EXPECT_EQ(target->getParameter(i), source->getParameter(i)) << i;
  // Loading the same bytes again changes nothing.
  ASSERT_TRUE(target->setChunk(ChunkKind::Bank, bank));
  EXPECT_EQ(target->getChunk(ChunkKind::Bank), bank);
}

TEST(Chunks, PlainStateAndShortChunks) {
  auto plugin = e2e::openTundrax();
  // 136 bytes of doubles without a header are one program's state.
  std::vector<uint8_t> plain(136);
  for (int i = 0; i < kNumParams; ++i) e2e::writeDouble(plain, 8 * i, e2e::kParams[i].max);
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Program, plain));
  std::vector<double> values = e2e::realValues(*plugin);
  for (int i = 0; i < kNumParams; ++i) EXPECT_EQ(values[i], e2e::kParams[i].max) << i;

  // Only the header: the first parameter falls to its value for 0.0, the rest stay, and the
  // call reports failure.
  std::vector<uint8_t> header(kHeader, kHeader + 8);
  EXPECT_FALSE(plugin->setChunk(ChunkKind::Program, header));
  values = e2e::realValues(*plugin);
  EXPECT_EQ(values[0], 0.0);
  for (int i = 1; i < kNumParams; ++i) EXPECT_EQ(values[i], e2e::kParams[i].max) << i;

  // Values outside a parameter's range are clamped into it.
  std::vector<uint8_t> program = plugin->getChunk(ChunkKind::Program);
  e2e::writeDouble(program, 8 + 8 * 12, 1000.0);
  e2e::writeDouble(program, 8 + 8 * 13, -5.0);
  e2e::writeDouble(program, 8 + 8 * 3, 7.0);
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Program, program));
  values = e2e::realValues(*plugin);
  EXPECT_EQ(values[12], 20.0);
  EXPECT_EQ(values[13], 0.0);
  EXPECT_EQ(values[3], 2.0);
}

}  // namespace
