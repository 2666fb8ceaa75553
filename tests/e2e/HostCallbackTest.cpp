// The host callback's answers, called the way a plug-in calls it: with a null effect from inside
// the entry point, and with the effect record of an instance afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tools/host/HostCallback.h"
#include "tools/host/HostContext.h"

namespace {

using host::HostContext;
using host::HostEvent;

struct AttachedRecord {
  AttachedRecord(const host::HostSettings& settings = {}) : context(settings, "/plugins") {
    context.attach(effect);
  }
  intptr_t call(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                float opt = 0.0f) {
    return host::hostCallback(&effect, opcode, index, value, ptr, opt);
  }
  HostContext context;
  vst2::AEffect effect{};
};

// Without an effect record, from inside the entry point or for a record the host does not
// know: constants and strings, and 0 for queries that need an instance; a null string buffer is
// not written. With a record: that instance's settings.
TEST(HostCallback, AnswersWithAndWithoutAnInstance) {
  auto call = [](int32_t opcode, void* ptr = nullptr) {
    return host::hostCallback(nullptr, opcode, 0, 0, ptr, 0.5f);
  };
  EXPECT_EQ(call(vst2::audioMasterVersion), 2400);
  EXPECT_EQ(call(vst2::audioMasterGetVendorVersion), 10002);
  char text[64];
  std::memset(text, 0x7F, sizeof text);
  EXPECT_EQ(call(vst2::audioMasterGetProductString, text), 1);
  EXPECT_STREQ(text, "tundrax-host");
  EXPECT_EQ(call(vst2::audioMasterGetVendorString, text), 1);
  EXPECT_STREQ(text, "Orvalline");
  for (int32_t opcode : {vst2::audioMasterGetTime, vst2::audioMasterGetSampleRate,
                         vst2::audioMasterGetProductString, vst2::audioMasterAutomate}) {
    EXPECT_EQ(call(opcode), 0) << opcode;
  }
  char canDo[] = "sendVstTimeInfo";
  EXPECT_EQ(call(vst2::audioMasterCanDo, canDo), 1);
  EXPECT_EQ(host::hostCanDo("sizeWindow"), -1);
  EXPECT_EQ(host::hostCanDo("SendVstTimeInfo"), 0);  // exact, case-sensitive
  EXPECT_EQ(host::hostCanDo(nullptr), 0);

  HostContext context({.sampleRate = 44100.0}, "/plugins");
  {
    HostContext::CreationScope creating(context);
    EXPECT_EQ(call(vst2::audioMasterGetSampleRate), 44100);
  }
  EXPECT_EQ(call(vst2::audioMasterGetSampleRate), 0);

  AttachedRecord record(
      {.sampleRate = 96000.0, .blockSize = 64, .processLevel = vst2::kVstProcessLevelOffline});
  EXPECT_EQ(record.call(vst2::audioMasterGetSampleRate), 96000);
  EXPECT_EQ(record.call(vst2::audioMasterGetBlockSize), 64);
  EXPECT_EQ(record.call(vst2::audioMasterGetCurrentProcessLevel), vst2::kVstProcessLevelOffline);
  record.context.setProcessLevel(vst2::kVstProcessLevelRealtime);
  EXPECT_EQ(record.call(vst2::audioMasterGetCurrentProcessLevel), vst2::kVstProcessLevelRealtime);
  EXPECT_STREQ(reinterpret_cast<const char*>(record.call(vst2::audioMasterGetDirectory)),
               "/plugins");
  EXPECT_EQ(record.call(9999), 0);
  EXPECT_EQ(record.call(-1), 0);
}

TEST(HostCallback, TimeRecordFollowsTheTransport) {
  AttachedRecord record({.sampleRate = 48000.0, .tempo = 120.0});
  auto* info =
      reinterpret_cast<const vst2::VstTimeInfo*>(record.call(vst2::audioMasterGetTime, 0, 0x3E00));
  ASSERT_NE(info, nullptr);
  // At least 96 bytes are handed out; what lies past the 88-byte record is zero.
  const auto* raw = reinterpret_cast<const unsigned char*>(info);
  for (std::size_t i = sizeof(vst2::VstTimeInfo); i < 96; ++i) EXPECT_EQ(raw[i], 0) << i;
  EXPECT_EQ(info->samplePos, 0.0);
  EXPECT_EQ(info->sampleRate, 48000.0);
  EXPECT_EQ(info->tempo, 120.0);
  EXPECT_EQ(info->timeSigNumerator, 4);
  EXPECT_EQ(info->timeSigDenominator, 4);
  const int32_t valid =
      vst2::kVstPpqPosValid | vst2::kVstTempoValid | vst2::kVstBarsValid | vst2::kVstTimeSigValid;
  EXPECT_EQ(info->flags & valid, valid);
  EXPECT_EQ(info->flags & vst2::kVstTransportPlaying, 0);

  record.context.setPlaying(true);
  record.context.advance(48000 * 3);  // three seconds: six beats at 120 BPM
  EXPECT_EQ(reinterpret_cast<const vst2::VstTimeInfo*>(record.call(vst2::audioMasterGetTime)),
            info);
  EXPECT_EQ(info->samplePos, 144000.0);
  EXPECT_DOUBLE_EQ(info->ppqPos, 6.0);
  EXPECT_DOUBLE_EQ(info->barStartPos, 4.0);
  EXPECT_NE(info->flags & vst2::kVstTransportPlaying, 0);
}

TEST(HostCallback, RecordsNotificationsInOrder) {
  AttachedRecord record;
  record.call(vst2::audioMasterBeginEdit, 12);
  record.call(vst2::audioMasterAutomate, 12, 0, nullptr, 0.25f);
  record.call(vst2::audioMasterEndEdit, 12);
  EXPECT_EQ(record.call(vst2::audioMasterUpdateDisplay), 1);
  const std::vector<HostEvent> expected = {{HostEvent::Kind::BeginEdit, 12, 0.0f},
                                           {HostEvent::Kind::Automate, 12, 0.25f},
                                           {HostEvent::Kind::EndEdit, 12, 0.0f},
                                           {HostEvent::Kind::UpdateDisplay, 0, 0.0f}};
  EXPECT_EQ(record.context.events().events(), expected);
  EXPECT_EQ(record.context.events().count(HostEvent::Kind::Automate), 1u);
  EXPECT_EQ(record.context.events().take(), expected);
  EXPECT_TRUE(record.context.events().events().empty());
}

}  // namespace
