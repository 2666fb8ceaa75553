#include <gtest/gtest.h>

#include <vector>

#include "TestPlug.h"

TEST(IPlugBase, ChannelStringDeclaresLayoutsAndChannelCounts) {
  TestPlug both(1, "1-1 2-2");
  EXPECT_EQ(both.NInChannels(), 2);
  EXPECT_EQ(both.NOutChannels(), 2);
  EXPECT_TRUE(both.LegalIO(1, -1));
  EXPECT_TRUE(both.LegalIO(2, 2));
  EXPECT_TRUE(both.LegalIO(2, -1));
  EXPECT_TRUE(both.LegalIO(-1, -1));
  EXPECT_FALSE(both.LegalIO(1, 2));

  TestPlug stereo(1, "2-2");
  EXPECT_FALSE(stereo.LegalIO(1, -1));
  EXPECT_TRUE(stereo.LegalIO(-1, 2));

  TestPlug none(1, nullptr);
  EXPECT_EQ(none.NInChannels(), 0);
  EXPECT_FALSE(none.LegalIO(-1, -1));
}

TEST(IPlugBase, BlockSizeChangeClearsScratchOnlyWhenTheSizeChanges) {
  TestPlug plug(1, "1-1");
  plug.SetBlockSize(4);
  plug.SetInputChannelConnections(0, 1, true);
  plug.SetOutputChannelConnections(0, 1, true);
  float in[4] = {1, 2, 3, 4}, out[4];
  float* ins[] = {in};
  float* outs[] = {out};
  plug.AttachInputBuffers(0, 1, ins, 4);
  plug.SetBlockSize(4);
  // Without a new attach the routine reads the scratch: unchanged by an equal size...
  double* noOutputs[] = {nullptr};
  plug.AttachOutputBuffers(0, 1, noOutputs);
  plug.ProcessBuffers(0.0, 4);
  plug.AttachOutputBuffers(0, 1, outs);
  plug.ProcessBuffers(0.0f, 4);
  EXPECT_EQ(out[3], 4.0f);
  // ...and cleared by a new one.
  plug.SetBlockSize(6);
  plug.AttachOutputBuffers(0, 1, outs);
  plug.ProcessBuffers(0.0f, 4);
  EXPECT_EQ(out[3], 0.0f);
}

TEST(IPlugBase, PassThroughCopiesAndZeroFillsExtraOutputs) {
  TestPlug plug(1, "1-2");
  plug.SetBlockSize(3);
  plug.SetInputChannelConnections(0, 1, true);
  plug.SetOutputChannelConnections(0, 2, true);
  double in[3] = {0.5, -0.5, 0.25}, out0[3] = {}, out1[3] = {7, 7, 7};
  double* ins[] = {in};
  double* outs[] = {out0, out1};
  plug.AttachInputBuffers(0, 1, ins, 3);
  plug.AttachOutputBuffers(0, 2, outs);
  plug.ProcessBuffers(0.0, 3);
  EXPECT_EQ(out0[1], -0.5);
  EXPECT_EQ(out1[0], 0.0);
  EXPECT_EQ(out1[2], 0.0);
}

TEST(IPlugBase, VersionsPackAndPrint) {
  TestPlug plug(1);
  EXPECT_EQ(plug.GetEffectVersion(false), 0x10002);
  EXPECT_EQ(plug.GetEffectVersion(true), 10002);
  char text[32];
  plug.GetEffectVersionStr(text);
  EXPECT_STREQ(text, "v1.0.2");
  plug.SetHost("REAPER", 0x060A03);
  EXPECT_EQ(plug.GetHost(), 1);
  EXPECT_EQ(plug.GetHostVersion(true), 61003);
}

TEST(IPlugBase, ParameterFromEditorReportsTheValueAsGiven) {
  TestPlug plug(1);
  plug.GetParam(0)->InitInt("Step", 0, 0, 2);
  plug.SetParameterFromGUI(0, 0.4);
  EXPECT_EQ(plug.GetParam(0)->Value(), 1.0);
  ASSERT_EQ(plug.automated.size(), 1u);
  EXPECT_EQ(plug.automated[0].second, 0.4);
  EXPECT_EQ(plug.changed, std::vector<int>{0});
  plug.SetParameterFromGUI(5, 0.5);  // no such parameter: nothing happens
  EXPECT_EQ(plug.automated.size(), 1u);
}
