// The host's state file: a round trip keeps every byte, and anything short of a whole file is
// refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tools/host/HostError.h"
#include "tools/host/StateFile.h"

namespace {

host::SavedState sampleState() {
  host::SavedState state;
  state.uniqueID = 0x7A6F6F72;
  state.pluginVersion = 10002;
  state.currentProgram = 5;
  for (int i = 0; i < 300; ++i) state.bank.push_back(static_cast<uint8_t>(i * 7));
  state.program = {'t', 'f', 'f', 'p', 0, 0, 1, 0, 0xFF};
  return state;
}

TEST(StateFile, RoundTripKeepsEverything) {
  host::SavedState state = sampleState();
  std::vector<uint8_t> bytes = host::encodeState(state);
  EXPECT_EQ(bytes.size(), 4u + 4 * 4 + 4 + state.bank.size() + 4 + state.program.size());
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TXst");
  EXPECT_EQ(host::decodeState(bytes), state);

  const std::string path =
      (std::filesystem::temp_directory_path() / "tundrax-statefile-test.txst").string();
  host::writeStateFile(path, state);
  EXPECT_EQ(host::readStateFile(path), state);
  std::filesystem::remove(path);
  EXPECT_THROW(host::readStateFile(path), host::HostError);
}

TEST(StateFile, RefusesEveryTruncationAndForeignData) {
  std::vector<uint8_t> bytes = host::encodeState(sampleState());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    EXPECT_THROW(host::decodeState(std::span(bytes.data(), length)), host::HostError) << length;
  }
  std::vector<uint8_t> trailing = bytes;
  trailing.push_back(0);
  EXPECT_THROW(host::decodeState(trailing), host::HostError);
  std::vector<uint8_t> otherMagic = bytes;
  otherMagic[0] = 'X';
  EXPECT_THROW(host::decodeState(otherMagic), host::HostError);
  std::vector<uint8_t> futureVersion = bytes;
  futureVersion[4] = 2;
  EXPECT_THROW(host::decodeState(futureVersion), host::HostError);
  // A bank size that claims more than the file holds.
  std::vector<uint8_t> hugeSize = bytes;
  hugeSize[20] = hugeSize[21] = hugeSize[22] = hugeSize[23] = 0xFF;
  EXPECT_THROW(host::decodeState(hugeSize), host::HostError);
}

}  // namespace
