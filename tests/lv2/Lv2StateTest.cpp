// The LV2 state: exactly the VST2 program chunk, restorable in either format, and refused
// without any change when it is not one complete chunk of this plug-in.
#include <gtest/gtest.h>

#include <lv2/atom/atom.h>

#include <cstring>

#include "Lv2Host.h"
#include "tests/e2e/TundraxPlugin.h"

namespace {

using lv2test::Lv2Plugin;
using lv2test::StoredProperty;

void editSome(Lv2Plugin& plugin) {
  plugin.param(0) = 1.0f;
  plugin.param(4) = 2.0f;
  plugin.param(12) = 7.5f;
  plugin.param(13) = 18.0f;
  plugin.param(14) = 33.3f;
  plugin.param(15) = 120.0f;
  plugin.param(16) = 4.5f;
  plugin.connectAll();
  plugin.run(0);
}

TEST(Lv2State, RoundTripBetweenInstances) {
  Lv2Plugin source;
  editSome(source);
  std::vector<StoredProperty> stored;
  ASSERT_EQ(source.save(&stored), LV2_STATE_SUCCESS);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].key, source.stateKey());
  EXPECT_EQ(stored[0].type, source.chunkType());
  EXPECT_TRUE(stored[0].flags & LV2_STATE_IS_POD);
  ASSERT_EQ(stored[0].value.size(), 144u);
  EXPECT_EQ(std::string(stored[0].value.begin(), stored[0].value.begin() + 4), "tffp");
  EXPECT_EQ(lv2test::chunkValue(stored[0].value, 12), 7.5f);  // the port's float, exactly

  Lv2Plugin target;
  // The stored type and key are URIDs of the source's map; the target maps them the same way.
  stored[0].key = target.stateKey();
  stored[0].type = target.chunkType();
  ASSERT_EQ(target.restore(stored), LV2_STATE_SUCCESS);
  EXPECT_EQ(target.programChunk(), stored[0].value);
}

TEST(Lv2State, RefusesAnythingButOneWholeChunkAndStaysAsItWas) {
  Lv2Plugin plugin;
  editSome(plugin);
  const std::vector<uint8_t> before = plugin.programChunk();
  ASSERT_EQ(before.size(), 144u);

  auto attempt = [&plugin](std::vector<uint8_t> bytes, uint32_t type) {
    return plugin.restore({{plugin.stateKey(), std::move(bytes), type, LV2_STATE_IS_POD}});
  };
  std::vector<uint8_t> zeroed(before.size(), 0);  // all parameters 0: would change several
  zeroed[0] = 't';
  zeroed[1] = 'f';
  zeroed[2] = 'f';
  zeroed[3] = 'p';
  zeroed[6] = 1;
  ASSERT_EQ(attempt(zeroed, plugin.chunkType()), LV2_STATE_SUCCESS);
  ASSERT_EQ(plugin.restore({{plugin.stateKey(), before, plugin.chunkType(), 0}}),
            LV2_STATE_SUCCESS);

  std::vector<uint8_t> truncated(zeroed.begin(), zeroed.end() - 1);
  EXPECT_EQ(attempt(truncated, plugin.chunkType()), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(attempt(std::vector<uint8_t>(zeroed.begin(), zeroed.begin() + 8), plugin.chunkType()),
            LV2_STATE_ERR_UNKNOWN);
  std::vector<uint8_t> longer = zeroed;
  longer.push_back(0);
  EXPECT_EQ(attempt(longer, plugin.chunkType()), LV2_STATE_ERR_UNKNOWN);
  std::vector<uint8_t> huge = zeroed;
  huge.resize((16u << 20) + 1);
  EXPECT_EQ(attempt(huge, plugin.chunkType()), LV2_STATE_ERR_UNKNOWN);
  std::vector<uint8_t> foreignMagic = zeroed;
  foreignMagic[0] = 'x';
  EXPECT_EQ(attempt(foreignMagic, plugin.chunkType()), LV2_STATE_ERR_UNKNOWN);
  std::vector<uint8_t> otherVersion = zeroed;
  otherVersion[6] = 2;
  EXPECT_EQ(attempt(otherVersion, plugin.chunkType()), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(attempt(zeroed, plugin.urids().map(LV2_ATOM__String)), LV2_STATE_ERR_BAD_TYPE);
  EXPECT_EQ(plugin.restore({}), LV2_STATE_ERR_NO_PROPERTY);

  EXPECT_EQ(plugin.programChunk(), before);
}

TEST(Lv2State, SaveTakesThePortsAsSetAndARestoreStaysUntilAPortMoves) {
  Lv2Plugin plugin;
  editSome(plugin);
  plugin.param(13) = 12.0f;  // set, but no cycle ran since
  std::vector<uint8_t> chunk = plugin.programChunk();
  EXPECT_EQ(lv2test::chunkValue(chunk, 13), 12.0);

  double thirty = 30.0;
  std::memcpy(chunk.data() + 8 + 8 * 13, &thirty, sizeof thirty);
  ASSERT_EQ(plugin.restore({{plugin.stateKey(), chunk, plugin.chunkType(), LV2_STATE_IS_POD}}),
            LV2_STATE_SUCCESS);
  plugin.run(0);  // the port still shows 12
  EXPECT_EQ(lv2test::chunkValue(plugin.programChunk(), 13), 30.0);
  plugin.param(13) = 6.0f;
  plugin.run(0);
  EXPECT_EQ(lv2test::chunkValue(plugin.programChunk(), 13), 6.0);
}

TEST(Lv2State, WithoutAUriMapThereIsNoStateButTheRestWorks) {
  Lv2Plugin plugin(48000.0, std::nullopt, false);
  std::vector<StoredProperty> stored;
  EXPECT_EQ(plugin.save(&stored), LV2_STATE_ERR_NO_FEATURE);
  EXPECT_EQ(plugin.restore(stored), LV2_STATE_ERR_NO_FEATURE);
  plugin.inL.assign(1000, 0.5f);
  plugin.inR = plugin.inL;
  plugin.connectAll();
  plugin.activate();
  plugin.process(1000);
  EXPECT_NE(plugin.outL[999], 0.0f);
}

TEST(Lv2State, ExchangesProgramChunksWithTheVst2Plugin) {
  auto vst = e2e::openTundrax();
  vst->setProgram(4);  // "808 Kick"
  vst->setParameter(13, 0.375f);
  const std::vector<uint8_t> vstChunk = vst->getChunk(host::ChunkKind::Program);

  Lv2Plugin lv2;
  ASSERT_EQ(lv2.restore({{lv2.stateKey(), vstChunk, lv2.chunkType(), LV2_STATE_IS_POD}}),
            LV2_STATE_SUCCESS);
  EXPECT_EQ(lv2.programChunk(), vstChunk);

  editSome(lv2);
  const std::vector<uint8_t> lv2Chunk = lv2.programChunk();
  ASSERT_TRUE(vst->setChunk(host::ChunkKind::Program, lv2Chunk));
  EXPECT_EQ(vst->getChunk(host::ChunkKind::Program), lv2Chunk);
  vst->close();
}

}  // namespace
