// The dispatcher opcode by opcode: results, what lands in the host's records, and that every
// opcode the plug-in does not handle answers 0 and touches nothing.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>

#include "tests/e2e/TundraxPlugin.h"

namespace {

using host::PluginInstance;

constexpr unsigned char kCanary = 0xA5;

struct Canary {
  Canary() { std::memset(bytes, kCanary, sizeof bytes); }
  bool untouched() const {
    for (unsigned char b : bytes) {
      if (b != kCanary) return false;
    }
    return true;
  }
  unsigned char bytes[1024];
};

// Constant answers ignore their arguments and write nothing.
TEST(Dispatcher, CanDoAndConstantAnswers) {
  auto plugin = e2e::openTundrax();
  EXPECT_EQ(plugin->canDo("receiveVstTimeInfo"), 1);
  for (const char* no : {"receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents",
                         "sendVstMidiEvent", "bypass", "offline", "ReceiveVstTimeInfo", ""}) {
    EXPECT_EQ(plugin->canDo(no), 0) << no;  // "don't know", never -1
  }
  EXPECT_EQ(static_cast<uint32_t>(plugin->canDo("hasCockosExtensions")), 0xBEEF0000u);
  EXPECT_EQ(static_cast<uint32_t>(plugin->canDo("hasCockosViewAsConfig")), 0xBEEF0000u);
  EXPECT_EQ(plugin->dispatch(vst2::effCanDo), 0);

  Canary canary;
  EXPECT_EQ(plugin->dispatch(vst2::effGetVstVersion, -7, 99, canary.bytes, 3.0f), 2400);
  EXPECT_EQ(plugin->dispatch(vst2::effIdentify, 5, -1, canary.bytes, 1.0f), 0x4E764566);
  EXPECT_EQ(plugin->dispatch(vst2::effGetVendorVersion, 1, 1, canary.bytes), 10002);
  EXPECT_EQ(plugin->dispatch(vst2::effGetPlugCategory, 3, 3, canary.bytes), vst2::kPlugCategEffect);
  EXPECT_TRUE(canary.untouched());
}

TEST(Dispatcher, PinProperties) {
  auto plugin = e2e::openTundrax();
  for (int32_t opcode : {vst2::effGetInputProperties, vst2::effGetOutputProperties}) {
    const std::string prefix = opcode == vst2::effGetInputProperties ? "Input " : "Output ";
    vst2::VstPinProperties pin;
    std::memset(&pin, kCanary, sizeof pin);
    ASSERT_EQ(plugin->dispatch(opcode, 0, 0, &pin), 1);
    EXPECT_EQ(pin.flags, vst2::kVstPinIsActive | vst2::kVstPinIsStereo);
    EXPECT_EQ(std::string(pin.label), prefix + "1");
    // Fields the plug-in does not fill stay as the host gave them.
    EXPECT_EQ(static_cast<unsigned char>(pin.shortLabel[0]), kCanary);
    EXPECT_EQ(static_cast<unsigned char>(pin.future[47]), kCanary);
    ASSERT_EQ(plugin->dispatch(opcode, 1, 0, &pin), 1);
    EXPECT_EQ(pin.flags, vst2::kVstPinIsActive);
    EXPECT_EQ(std::string(pin.label), prefix + "2");
    Canary canary;
    EXPECT_EQ(plugin->dispatch(opcode, 2, 0, canary.bytes), 0);
    EXPECT_EQ(plugin->dispatch(opcode, -1, 0, canary.bytes), 0);
    EXPECT_TRUE(canary.untouched());
    EXPECT_EQ(plugin->dispatch(opcode, 0, 0, nullptr), 0);
  }
}

TEST(Dispatcher, SpeakerArrangementsAreTheStereoRecords) {
  auto plugin = e2e::openTundrax();
  vst2::VstSpeakerArrangement* in = nullptr;
  vst2::VstSpeakerArrangement* out = nullptr;
  EXPECT_EQ(
      plugin->dispatch(vst2::effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&in), &out),
      1);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(in->numChannels, 2);
  EXPECT_EQ(in->type, vst2::kSpeakerArrStereo);
  EXPECT_EQ(out->numChannels, 2);
  // Connecting one channel is accepted and leaves the stored arrangements as they were.
  EXPECT_TRUE(plugin->setSpeakerArrangement(1, 1));
  EXPECT_EQ(in->numChannels, 2);
  // With neither record there is nothing to do, and the plug-in says so.
  EXPECT_EQ(plugin->dispatch(vst2::effGetSpeakerArrangement), 0);
  EXPECT_EQ(plugin->dispatch(vst2::effSetSpeakerArrangement), 0);
}

TEST(Dispatcher, VendorSpecificHostExtensions) {
  auto plugin = e2e::openTundrax();
  constexpr intptr_t kHandled = 0xBEEF;
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 8, 3), kHandled);  // int
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 8, 0), kHandled);  // bool
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 8, 12), 0);        // double
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 8, 17), 0);
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 8, -1), 0);
  Canary canary;
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, -1, canary.bytes, 0.5f), kHandled);
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, 17, canary.bytes, 0.5f), kHandled);
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, INT64_MAX, canary.bytes, 0.5f), kHandled);
  EXPECT_TRUE(canary.untouched());
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, 12, nullptr, 0.5f), 0);
  // The display of a normalised value without changing the parameter.
  char text[64] = {};
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, 12, text, 1.0f), kHandled);
  EXPECT_STREQ(text, "20.0");
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 7, 0, text, 1.0f), kHandled);
  EXPECT_STREQ(text, "on");
  EXPECT_EQ(plugin->paramDisplay(12), "2.0");
  EXPECT_EQ(plugin->dispatch(vst2::effVendorSpecific, 9, 0, text, 0.0f), 0);
}

TEST(Dispatcher, EventsKeyNamesAndEditorWithoutEditor) {
  auto plugin = e2e::openTundrax();
  EXPECT_EQ(plugin->dispatch(vst2::effProcessEvents), 0);
  vst2::VstMidiEvent note{};
  note.type = vst2::kVstMidiType;
  note.byteSize = sizeof note;
  note.midiData[0] = 0x90;
  note.midiData[1] = 60;
  note.midiData[2] = 100;
  vst2::VstEvents events{};
  events.numEvents = 2;
  events.events[0] = reinterpret_cast<vst2::VstEvent*>(&note);
  events.events[1] = nullptr;  // skipped
  EXPECT_EQ(plugin->dispatch(vst2::effProcessEvents, 0, 0, &events), 1);
  events.numEvents = 0;
  EXPECT_EQ(plugin->dispatch(vst2::effProcessEvents, 0, 0, &events), 1);

  vst2::MidiKeyName key{};
  key.thisKeyNumber = 60;
  std::memset(key.keyName, 'x', sizeof key.keyName);
  EXPECT_EQ(plugin->dispatch(vst2::effGetMidiKeyName, 0, 0, &key), 0);
  EXPECT_EQ(key.keyName[0], '\0');
  EXPECT_EQ(plugin->dispatch(vst2::effGetMidiKeyName), 0);

  // The editor's size is known before it opens.
  vst2::ERect* rect = nullptr;
  EXPECT_EQ(plugin->dispatch(vst2::effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 900);
  EXPECT_EQ(rect->bottom - rect->top, 620);
  EXPECT_EQ(plugin->dispatch(vst2::effEditGetRect), 0);
}

// Every opcode the plug-in leaves alone, with junk arguments: 0, no write, no change of state.
TEST(Dispatcher, UnhandledOpcodesReturnZeroAndChangeNothing) {
  const std::set<int32_t> handled = {0,  1,  2,  3,  4,  5,  6,  7,  8,  10, 11, 12,
                                     13, 14, 15, 22, 23, 24, 25, 26, 27, 29, 33, 34,
                                     35, 42, 45, 47, 48, 49, 50, 51, 52, 58, 66, 69};
  auto plugin = e2e::openTundrax();
  plugin->setParameter(13, 0.25f);
  const std::vector<uint8_t> bank = plugin->getChunk(host::ChunkKind::Bank);
  const std::vector<uint8_t> program = plugin->getChunk(host::ChunkKind::Program);
  std::vector<int32_t> opcodes = {-1, -2, -1000, INT_MIN, 80, 81, 1000, INT_MAX};
  for (int32_t opcode = 0; opcode <= 79; ++opcode) {
    if (!handled.count(opcode)) opcodes.push_back(opcode);
  }
  for (int32_t opcode : opcodes) {
    for (int32_t index : {0, 1, -1}) {
      Canary canary;
      EXPECT_EQ(plugin->dispatch(opcode, index, 1, canary.bytes, 1.0f), 0) << opcode;
      EXPECT_TRUE(canary.untouched()) << opcode;
      EXPECT_EQ(plugin->dispatch(opcode, index, 0, nullptr, 0.0f), 0) << opcode;
    }
  }
  EXPECT_EQ(plugin->getChunk(host::ChunkKind::Bank), bank);
  EXPECT_EQ(plugin->getChunk(host::ChunkKind::Program), program);
}

// Null pointers and indices out of range: the result the table gives, no write, no change.
TEST(Dispatcher, NullPointersAndBadIndicesAreRefused) {
  auto plugin = e2e::openTundrax();
  plugin->setParameter(14, 0.75f);
  const std::vector<uint8_t> bank = plugin->getChunk(host::ChunkKind::Bank);
  const std::vector<uint8_t> program = plugin->getChunk(host::ChunkKind::Program);

  for (int32_t opcode :
       {vst2::effGetProgramName, vst2::effSetProgramName, vst2::effGetEffectName,
        vst2::effGetVendorString, vst2::effGetProductString, vst2::effCanDo, vst2::effGetChunk,
        vst2::effSetChunk, vst2::effProcessEvents, vst2::effGetMidiKeyName,
        vst2::effGetProgramNameIndexed, vst2::effEditGetRect, vst2::effGetInputProperties,
        vst2::effGetOutputProperties}) {
    EXPECT_EQ(plugin->dispatch(opcode, 0, 144, nullptr), 0) << opcode;
  }
  for (int32_t opcode : {vst2::effGetParamLabel, vst2::effGetParamDisplay, vst2::effGetParamName}) {
    EXPECT_EQ(plugin->dispatch(opcode, 3, 0, nullptr), 0) << opcode;
    for (int32_t index : {-1, 17, INT_MIN, INT_MAX}) {
      Canary canary;
      EXPECT_EQ(plugin->dispatch(opcode, index, 0, canary.bytes), 0) << opcode << " " << index;
      EXPECT_TRUE(canary.untouched()) << opcode << " " << index;
    }
  }
  for (int32_t index : {-1, 17, INT_MIN}) {
    EXPECT_EQ(plugin->dispatch(vst2::effCanBeAutomated, index), 0);
    char text[] = "5";
    EXPECT_EQ(plugin->dispatch(vst2::effString2Parameter, index, 0, text), 0);
    char name[64];
    EXPECT_EQ(plugin->dispatch(vst2::effGetProgramNameIndexed, index, 0, name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(plugin->getParameter(index), 0.0f);
    plugin->setParameter(index, 0.5f);
  }
  char name[64];
  EXPECT_EQ(plugin->dispatch(vst2::effGetProgramNameIndexed, e2e::kNumPrograms, 0, name), 0);
  EXPECT_STREQ(name, "");
  // effString2Parameter with a null text only asks whether text entry works.
  EXPECT_EQ(plugin->dispatch(vst2::effString2Parameter, 12, 0, nullptr), 1);
  // Programs that do not exist are not selected.
  for (intptr_t program : {intptr_t{-1}, intptr_t{11}, intptr_t{1} << 40, -(intptr_t{1} << 40)}) {
    EXPECT_EQ(plugin->dispatch(vst2::effSetProgram, 0, program), 0);
    EXPECT_EQ(plugin->program(), 0);
  }
  // A get-chunk with a null ptr or a set-chunk with a null ptr or a negative size.
  EXPECT_EQ(plugin->dispatch(vst2::effGetChunk, 1, 0, nullptr), 0);
  std::vector<uint8_t> copy = program;
  EXPECT_EQ(plugin->dispatch(vst2::effSetChunk, 1, -1, copy.data()), 0);
  EXPECT_EQ(plugin->getChunk(host::ChunkKind::Bank), bank);
  EXPECT_EQ(plugin->getChunk(host::ChunkKind::Program), program);
}

}  // namespace
