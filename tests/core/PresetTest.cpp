#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "TestPlug.h"

namespace {

// Three parameters: a bool, an int 0..2 and a double 1..20.
class PresetTest : public ::testing::Test {
 protected:
  void SetUp() override { Init(plug); }

  static void Init(TestPlug& p) {
    p.GetParam(0)->InitBool("Switch", false);
    p.GetParam(1)->InitInt("Step", 0, 0, 2);
    p.GetParam(2)->InitDouble("Amount", 2.0, 1.0, 20.0, 0.1);
  }

  static std::vector<double> Values(TestPlug& p) {
    return {p.GetParam(0)->Value(), p.GetParam(1)->Value(), p.GetParam(2)->Value()};
  }

  TestPlug plug{3, "2-2", 4};
};

}  // namespace

TEST_F(PresetTest, PresetsStoreValuesAsGivenAndRestoreThemClamped) {
  plug.MakePreset("Loud", 1, 2, 50.0);
  plug.MakePreset("Soft", 0, 1, 3.5);
  EXPECT_STREQ(plug.GetPresetName(0), "Loud");
  EXPECT_STREQ(plug.GetPresetName(1), "Soft");
  EXPECT_STREQ(plug.GetPresetName(4), "");
  EXPECT_STREQ(plug.GetPresetName(-1), "");

  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(Values(plug), (std::vector<double>{1, 2, 20}));
  ASSERT_TRUE(plug.RestorePreset("Soft"));
  EXPECT_EQ(plug.GetCurrentPresetIdx(), 1);
  EXPECT_EQ(Values(plug), (std::vector<double>{0, 1, 3.5}));
  EXPECT_FALSE(plug.RestorePreset("soft"));
  EXPECT_FALSE(plug.RestorePreset(""));
  EXPECT_FALSE(plug.RestorePreset(4));
}

TEST_F(PresetTest, NeverUsedPresetCapturesTheCurrentSoundUnderANewName) {
  plug.GetParam(2)->Set(7.0);
  ASSERT_TRUE(plug.RestorePreset(2));
  EXPECT_STREQ(plug.GetPresetName(2), "user preset 1");
  EXPECT_EQ(plug.GetParam(2)->Value(), 7.0);

  plug.ModifyCurrentPreset("my user preset");  // a second name containing the words
  ASSERT_TRUE(plug.RestorePreset(3));
  EXPECT_STREQ(plug.GetPresetName(3), "user preset 2");

  TestPlug other(3, "2-2", 3);
  Init(other);
  other.MakePreset("user preset A", 0, 0, 1.0);
  other.MakePreset("old user preset", 0, 0, 1.0);
  ASSERT_TRUE(other.RestorePreset(2));
  EXPECT_STREQ(other.GetPresetName(2), "user preset 3");
}

TEST_F(PresetTest, MakeOperationsFillFreeSlotsOnly) {
  plug.MakePresetFromBlob("Blob", "AAAAAAAAAAAAAAAAAADwPw==", 24);  // 0.0 and 1.0, then zeros
  plug.MakePresetFromNamedParams("Named", 1, 2, 9.0);
  plug.MakeDefaultPreset(nullptr, 5);
  EXPECT_STREQ(plug.GetPresetName(2), "Empty");
  EXPECT_STREQ(plug.GetPresetName(3), "Empty");
  plug.MakePreset("Too many", 1, 1, 1.0);
  EXPECT_STREQ(plug.GetPresetName(3), "Empty");

  ASSERT_TRUE(plug.RestorePreset(0));
  EXPECT_EQ(Values(plug), (std::vector<double>{0, 1, 1}));  // 0.0 clamps the double to 1
  plug.GetParam(1)->Set(2.0);
  ASSERT_TRUE(plug.RestorePreset(1));
  EXPECT_EQ(Values(plug),
            (std::vector<double>{0, 0, 9}));  // unnamed ones took the values of the time

  TestPlug bad(3, "2-2", 1);
  Init(bad);
  bad.MakePresetFromNamedParams("Bad index", 1, 7, 1.0);
  EXPECT_STREQ(bad.GetPresetName(0), "empty");
}

TEST_F(PresetTest, ShortStateSetsTheFirstUnreadValueAndNotifiesEveryParameter) {
  plug.GetParam(1)->Set(2.0);
  plug.GetParam(2)->Set(5.0);
  ByteChunk chunk;
  IPlugBase::InitChunkWithIPlugVer(&chunk);
  chunk.Put(1.0);  // only the first value
  plug.changed.clear();
  EXPECT_EQ(plug.UnserializeParams(&chunk, 8), -1);
  EXPECT_EQ(Values(plug), (std::vector<double>{1, 0, 5}));
  EXPECT_EQ(plug.changed, (std::vector<int>{0, 1, 2}));

  plug.changed.clear();
  EXPECT_EQ(plug.UnserializeParams(&chunk, -3), -3);
  EXPECT_EQ(plug.changed.size(), 3u);
}

TEST_F(PresetTest, VersionHeaderIsReadOnlyWhenComplete) {
  ByteChunk chunk;
  IPlugBase::InitChunkWithIPlugVer(&chunk);
  int pos = 0;
  EXPECT_EQ(IPlugBase::GetIPlugVerFromChunk(&chunk, &pos), 0x10000);
  EXPECT_EQ(pos, 8);

  ByteChunk magicOnly;
  magicOnly.Put(IPlugBase::kChunkMagic);
  magicOnly.PutBytes("\1\2", 2);
  pos = 0;
  EXPECT_EQ(IPlugBase::GetIPlugVerFromChunk(&magicOnly, &pos), 0);
  EXPECT_EQ(pos, -1);

  ByteChunk plain;
  plain.Put(1.5);
  pos = 0;
  EXPECT_EQ(IPlugBase::GetIPlugVerFromChunk(&plain, &pos), 0);
  EXPECT_EQ(pos, 0);
}

TEST_F(PresetTest, BankCutShortLeavesNoPresetWithAPartialState) {
  plug.MakePreset("A", 1, 2, 3.0);
  plug.MakePreset("B", 0, 1, 4.0);
  ByteChunk bank;
  plug.SerializePresets(&bank);

  TestPlug target(3, "2-2", 4);
  Init(target);
  target.MakePreset("Keep", 0, 0, 9.0);
  ByteChunk cut;
  cut.PutBytes(bank.GetBytes(), bank.Size() - 30);  // B's state is cut
  EXPECT_EQ(target.UnserializePresets(&cut, 0), -1);
  EXPECT_STREQ(target.GetPresetName(1), "B");
  ASSERT_TRUE(target.RestorePreset(1)) << "still never used, so it captures the current state";

  ByteChunk saved;  // and a save writes a bank that reads back whole
  target.SerializePresets(&saved);
  TestPlug reader(3, "2-2", 4);
  Init(reader);
  EXPECT_EQ(reader.UnserializePresets(&saved, 0), saved.Size());
}

TEST_F(PresetTest, DumpsWriteSourceLines) {
  plug.GetParam(0)->Set(1.0);
  plug.GetParam(1)->Set(2.0);
  plug.GetParam(2)->Set(3.25);
  const std::string path = ::testing::TempDir() + "preset-dump.txt";
  const char* names[] = {"kSwitch", "kStep", "kAmount"};
  plug.DumpPresetSrcCode(path.c_str(), names);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "  MakePresetFromNamedParams(\"name\", 3,\n    kSwitch, true,\n    kStep, 2,\n"
            "    kAmount, 3.250000);\n");
  std::remove(path.c_str());
}
