// The .fxp and .fxb layouts: both forms round-trip, the header fields sit where the format puts
// them (big-endian), and anything short of one whole file is refused.
#include <gtest/gtest.h>

#include "tools/host/HostError.h"
#include "tools/host/PresetFile.h"

namespace {

host::FxProgram program(const char* name, float base) {
  host::FxProgram p;
  p.name = name;
  for (int i = 0; i < 17; ++i) p.params.push_back(base + 0.01f * static_cast<float>(i));
  return p;
}

host::FxBankFile parameterBank() {
  host::FxBankFile bank;
  bank.uniqueID = 0x7a6f6f72;
  bank.pluginVersion = 10002;
  bank.numPrograms = 3;
  bank.currentProgram = 2;
  bank.programs = {program("Default", 0.0f), program("", 0.5f), program("808 Kick", 0.25f)};
  return bank;
}

TEST(PresetFile, ProgramFilesRoundTripInBothForms) {
  host::FxProgramFile file;
  file.uniqueID = 0x7a6f6f72;
  file.pluginVersion = 10002;
  file.numParams = 17;
  file.program = program("A name longer than twenty-seven characters", 0.1f);
  std::vector<uint8_t> bytes = host::encodeProgramFile(file);
  ASSERT_EQ(bytes.size(), 56u + 4 * 17);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "CcnK");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FxCk");
  EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 20), "zoor");
  EXPECT_EQ(bytes[7], 56 + 4 * 17 - 8);  // byteSize, big-endian
  EXPECT_EQ(bytes[55], 0);               // the name keeps its terminator
  host::FxProgramFile expected = file;
  expected.program.name.resize(host::kFxProgramNameLen);
  EXPECT_EQ(host::decodeProgramFile(bytes), expected);

  file.program = {"Chunky", true, {}, {1, 2, 3, 4, 5}};
  bytes = host::encodeProgramFile(file);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FPCh");
  EXPECT_EQ(host::decodeProgramFile(bytes), file);
}

TEST(PresetFile, BankFilesRoundTripInBothForms) {
  host::FxBankFile bank = parameterBank();
  std::vector<uint8_t> bytes = host::encodeBankFile(bank);
  EXPECT_EQ(bytes.size(), 156u + 3 * (56 + 4 * 17));
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FxBk");
  EXPECT_EQ(bytes[31], 2);  // current program
  EXPECT_EQ(host::decodeBankFile(bytes), bank);

  host::FxBankFile chunkBank;
  chunkBank.uniqueID = bank.uniqueID;
  chunkBank.numPrograms = 11;
  chunkBank.isChunk = true;
  chunkBank.chunk.assign(1000, 0xAB);
  bytes = host::encodeBankFile(chunkBank);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "FBCh");
  EXPECT_EQ(host::decodeBankFile(bytes), chunkBank);
}

TEST(PresetFile, RefusesTruncatedPaddedAndForeignData) {
  const std::vector<uint8_t> bank = host::encodeBankFile(parameterBank());
  for (std::size_t length = 0; length < bank.size(); length += 7) {
    EXPECT_THROW(host::decodeBankFile({bank.data(), length}), host::HostError) << length;
  }
  std::vector<uint8_t> padded = bank;
  padded.push_back(0);
  EXPECT_THROW(host::decodeBankFile(padded), host::HostError);
  EXPECT_THROW(host::decodeProgramFile(bank), host::HostError);  // a bank is not a program

  // A program inside the bank whose size field disagrees with its parameter count.
  std::vector<uint8_t> inconsistent = bank;
  inconsistent[156 + 27] = 16;  // numParams of the first program
  EXPECT_THROW(host::decodeBankFile(inconsistent), host::HostError);
  // A parameter count that would reach past the file.
  host::FxProgramFile file;
  file.program = program("x", 0.0f);
  std::vector<uint8_t> program = host::encodeProgramFile(file);
  program[24] = 0x40;
  EXPECT_THROW(host::decodeProgramFile(program), host::HostError);
  // A chunk size that would reach past the file.
  file.program = {"c", true, {}, {1, 2, 3}};
  program = host::encodeProgramFile(file);
  program[59] = 4;
  EXPECT_THROW(host::decodeProgramFile(program), host::HostError);
}

}  // namespace
