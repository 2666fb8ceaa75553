// Bad input from a host never crashes the plug-in and never corrupts its state: random,
// truncated and mutated chunks, and string buffers that must not be written past the sizes the
// plug-in promises.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using e2e::kNumParams;
using host::ChunkKind;

// effSetChunk's raw result, which must be 0 or 1.
intptr_t setChunkRaw(host::PluginInstance& plugin, ChunkKind kind, std::vector<uint8_t> bytes) {
  return plugin.dispatch(vst2::effSetChunk, static_cast<int32_t>(kind),
                         static_cast<intptr_t>(bytes.size()), bytes.data());
}

TEST(Robustness, TruncatedChunksAreRefusedSafely) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(4);
  const std::vector<uint8_t> bank = plugin->getChunk(ChunkKind::Bank);
  const std::vector<uint8_t> program = plugin->getChunk(ChunkKind::Program);
  for (ChunkKind kind : {ChunkKind::Bank, ChunkKind::Program}) {
    for (const std::vector<uint8_t>* whole : {&bank, &program}) {
      for (std::size_t length = 0; length < whole->size(); ++length) {
        std::vector<uint8_t> cut(whole->begin(), whole->begin() + length);
        intptr_t result = setChunkRaw(*plugin, kind, cut);
        ASSERT_TRUE(result == 0 || result == 1) << length;
        ASSERT_TRUE(e2e::allParamsSane(*plugin)) << "after " << length << " bytes";
      }
    }
  }
  // Whole chunks still load afterwards.
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Bank, bank));
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Program, program));
  EXPECT_EQ(plugin->getChunk(ChunkKind::Bank), bank);
}

TEST(Robustness, RandomAndMutatedChunksLeaveParametersInRange) {
  std::mt19937 random = e2e::seededRandom("RandomAndMutatedChunks", 20261206);
  auto plugin = e2e::openTundrax();
  const std::vector<uint8_t> bank = plugin->getChunk(ChunkKind::Bank);
  const std::vector<uint8_t> program = plugin->getChunk(ChunkKind::Program);
  const double specials[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             1e308,
                             -1e308,
                             std::numeric_limits<double>::denorm_min(),
                             -0.0};
  auto byte = [&random] { return static_cast<uint8_t>(random() & 0xFF); };
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> chunk;
    switch (round % 4) {
      case 0:  // pure noise of any length, sometimes with a valid header
        chunk.resize(random() % 2000);
        for (uint8_t& b : chunk) b = byte();
        if (chunk.size() >= 8 && random() % 2) std::memcpy(chunk.data(), bank.data(), 8);
        break;
      case 1:  // a bank with flipped bytes
      case 2:  // a program with flipped bytes
        chunk = round % 4 == 1 ? bank : program;
        for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips) {
          chunk[random() % chunk.size()] = byte();
        }
        break;
      case 3:  // a valid chunk with non-finite or extreme doubles written over it
        chunk = random() % 2 ? bank : program;
        for (int writes = 1 + static_cast<int>(random() % 4); writes > 0; --writes) {
          std::size_t at = 8 + random() % (chunk.size() - 16);
          e2e::writeDouble(chunk, at, specials[random() % std::size(specials)]);
        }
        break;
    }
    ChunkKind kind = random() % 2 ? ChunkKind::Bank : ChunkKind::Program;
    intptr_t result = setChunkRaw(*plugin, kind, chunk);
    ASSERT_TRUE(result == 0 || result == 1) << "round " << round << " gave " << result;
    ASSERT_TRUE(e2e::allParamsSane(*plugin)) << "round " << round;
    if (round % 97 == 0) {
      // Whatever was loaded, programs still switch and save sane values.
      plugin->setProgram(static_cast<int32_t>(random() % e2e::kNumPrograms));
      ASSERT_TRUE(e2e::allParamsSane(*plugin)) << "round " << round;
      ASSERT_FALSE(plugin->getChunk(ChunkKind::Bank).empty());
    }
  }
  // The plug-in still takes a good bank back.
  EXPECT_TRUE(plugin->setChunk(ChunkKind::Bank, bank));
  EXPECT_EQ(plugin->getChunk(ChunkKind::Bank), bank);
}

TEST(Robustness, NonFiniteChunkValuesNeverReachAParameter) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(2);
  const std::vector<double> before = e2e::realValues(*plugin);
  std::vector<uint8_t> program = plugin->getChunk(ChunkKind::Program);
  for (int i = 0; i < kNumParams; ++i) {
    e2e::writeDouble(program, 8 + 8 * i,
                     i % 2 ? std::numeric_limits<double>::quiet_NaN()
                           : std::numeric_limits<double>::infinity() * (i % 4 ? 1 : -1));
  }
  setChunkRaw(*plugin, ChunkKind::Program, program);
  EXPECT_TRUE(e2e::allParamsSane(*plugin));
  std::vector<double> after = e2e::realValues(*plugin);
  for (int i = 1; i < kNumParams; i += 2) EXPECT_EQ(after[i], before[i]) << "NaN changed " << i;
}

// A bank may carry names of any length and any bytes; the plug-in keeps what fits.
TEST(Robustness, BankNamesOfAnyLength) {
  auto plugin = e2e::openTundrax();
  const std::vector<uint8_t> bank = plugin->getChunk(ChunkKind::Bank);
  const std::size_t firstName = 8;
  const int32_t oldLength = e2e::readInt32(bank, firstName);
  for (int32_t length : {0, 23, 24, 255, 256, 5000}) {
    std::vector<uint8_t> edited(bank.begin(), bank.begin() + firstName);
    for (int shift = 0; shift < 32; shift += 8)
      edited.push_back(static_cast<uint8_t>(length >> shift));
    for (int32_t i = 0; i < length; ++i) edited.push_back(static_cast<uint8_t>('a' + i % 26));
    edited.insert(edited.end(), bank.begin() + firstName + 4 + oldLength, bank.end());
    ASSERT_TRUE(plugin->setChunk(ChunkKind::Bank, edited)) << length;
    std::string name = plugin->programNameIndexed(0).value_or("");
    EXPECT_LE(name.size(), 23u) << length;
    EXPECT_EQ(name, std::string("abcdefghijklmnopqrstuvw").substr(0, name.size())) << length;
    EXPECT_EQ(plugin->programNameIndexed(1), "Acoustic Kick 1") << length;
    EXPECT_TRUE(e2e::allParamsSane(*plugin));
  }
}

// How many bytes of a canary-filled buffer an opcode wrote: the index after the last changed one.
std::size_t bytesTouched(host::PluginInstance& plugin, int32_t opcode, int32_t index,
                         intptr_t value = 0, float opt = 0.0f) {
  unsigned char buffer[512];
  std::memset(buffer, 0xA5, sizeof buffer);
  plugin.dispatch(opcode, index, value, buffer, opt);
  std::size_t touched = sizeof buffer;
  while (touched > 0 && buffer[touched - 1] == 0xA5) --touched;
  return touched;
}

TEST(Robustness, TextsStayInsideTheirBuffers) {
  // What the plug-in promises: parameter texts in 24 bytes (hosts pass at least that much; the
  // interface's 8 would cut "Boxiness frequency" to nothing useful), program names in 24,
  // the effect name in 32, vendor and product strings in 64.
  constexpr std::size_t kParamText = 24;
  auto plugin = e2e::openTundrax();
  // Long names and displays: the largest values, a renamed program with a long name.
  std::string longName(200, 'n');
  plugin->dispatch(vst2::effSetProgramName, 0, 0, longName.data());
  for (int i = 0; i < kNumParams; ++i) {
    for (float value : {0.0f, 1.0f}) {
      plugin->setParameter(i, value);
      EXPECT_LE(bytesTouched(*plugin, vst2::effGetParamName, i), kParamText) << i;
      EXPECT_LE(bytesTouched(*plugin, vst2::effGetParamLabel, i), kParamText) << i;
      EXPECT_LE(bytesTouched(*plugin, vst2::effGetParamDisplay, i), kParamText) << i;
      EXPECT_LE(bytesTouched(*plugin, vst2::effVendorSpecific, 7, i, value), kParamText) << i;
    }
  }
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetProgramName, 0), 24u);
  EXPECT_EQ(bytesTouched(*plugin, vst2::effGetProgramName, 0), 24u);  // cut, not dropped
  EXPECT_EQ(plugin->programName(), std::string(23, 'n'));
  for (int p = -1; p <= e2e::kNumPrograms; ++p) {
    EXPECT_LE(bytesTouched(*plugin, vst2::effGetProgramNameIndexed, p), 24u) << p;
  }
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetEffectName, 0), 32u);
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetVendorString, 0), 64u);
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetProductString, 0), 64u);
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetInputProperties, 1), sizeof(vst2::VstPinProperties));
  EXPECT_LE(bytesTouched(*plugin, vst2::effGetMidiKeyName, 0), sizeof(vst2::MidiKeyName));
}

}  // namespace
