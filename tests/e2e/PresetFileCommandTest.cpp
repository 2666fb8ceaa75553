// tundrax-host state with .fxp and .fxb files on the built plug-in: saved in the parameter
// forms (Tundrax announces no chunks), loaded back into a fresh instance with every program and
// value; the chunk forms are read too; another plug-in's, a truncated or an oversized file is
// refused with a message and a non-zero exit.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "RunCommand.h"
#include "TundraxPlugin.h"
#include "tools/host/PresetFile.h"

namespace {

namespace fs = std::filesystem;

class PresetFileCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = fs::temp_directory_path() / ("tundrax-fx-" + std::to_string(::getpid()));
    fs::create_directories(mDir);
  }
  void TearDown() override { fs::remove_all(mDir); }

  // Output and exit status of `tundrax-host state PLUGIN args`.
  std::string state(const std::string& args) {
    return runCommand("'" TUNDRAX_HOST_PATH "' state '" TUNDRAX_PLUGIN_PATH "' " + args +
                      " 2>&1; echo \"exit $?\"");
  }
  std::string path(const char* name) { return (mDir / name).string(); }

  fs::path mDir;
};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(PresetFileCommand, ProgramAndBankRoundTripThroughTheParameterForms) {
  const std::string fxp = path("p.fxp"), fxb = path("b.FXB");
  EXPECT_TRUE(contains(state("save '" + fxp + "' --program 4"), "as parameter values"));
  EXPECT_TRUE(contains(state("save '" + fxb + "' --program 7"), "exit 0"));

  const auto program = host::decodeProgramFile(host::readPresetFile(fxp));
  EXPECT_FALSE(program.program.isChunk);
  EXPECT_EQ(program.program.name, "808 Kick");
  EXPECT_EQ(program.uniqueID, 0x7a6f6f72);
  ASSERT_EQ(program.program.params.size(), 17u);
  EXPECT_EQ(program.program.params[3], 1.0f);  // warmth frequency step 2 of 0..2

  const auto bank = host::decodeBankFile(host::readPresetFile(fxb));
  ASSERT_EQ(bank.programs.size(), 11u);
  EXPECT_EQ(bank.currentProgram, 7);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(bank.programs[i].name, e2e::kProgramNames[i]);

  const std::string loaded = state("load '" + fxb + "'");
  EXPECT_TRUE(contains(loaded, "programs (current 7)")) << loaded;
  EXPECT_TRUE(contains(loaded, "exit 0"));
  const std::string loadedProgram = state("load '" + fxp + "'");
  EXPECT_TRUE(contains(loadedProgram, "0  808 Kick")) << loadedProgram;
}

TEST_F(PresetFileCommand, ReadsTheChunkFormsToo) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(5);
  plugin->setParameter(13, 0.5f);
  host::FxProgramFile program;
  program.uniqueID = plugin->effect().uniqueID;
  program.numParams = 17;
  program.program = {"Edited", true, {}, plugin->getChunk(host::ChunkKind::Program)};
  host::writePresetFile(path("c.fxp"), host::encodeProgramFile(program));
  host::FxBankFile bank;
  bank.uniqueID = program.uniqueID;
  bank.numPrograms = 11;
  bank.currentProgram = 5;
  bank.isChunk = true;
  bank.chunk = plugin->getChunk(host::ChunkKind::Bank);
  host::writePresetFile(path("c.fxb"), host::encodeBankFile(bank));
  plugin->close();

  const std::string loaded = state("load '" + path("c.fxp") + "'");
  EXPECT_TRUE(contains(loaded, "Threshold                24.0 dB")) << loaded;
  EXPECT_TRUE(contains(loaded, "0  Edited")) << loaded;
  const std::string loadedBank = state("load '" + path("c.fxb") + "'");
  EXPECT_TRUE(contains(loadedBank, "programs (current 5)")) << loadedBank;
  EXPECT_TRUE(contains(loadedBank, "Threshold                24.0 dB")) << loadedBank;
}

TEST_F(PresetFileCommand, RefusesForeignTruncatedAndOversizedFiles) {
  const std::string fxp = path("p.fxp");
  state("save '" + fxp + "'");
  std::vector<uint8_t> bytes = host::readPresetFile(fxp);

  std::vector<uint8_t> foreign = bytes;
  foreign[16] = 'X';
  host::writePresetFile(path("foreign.fxp"), foreign);
  std::string out = state("load '" + path("foreign.fxp") + "'");
  EXPECT_TRUE(contains(out, "a preset of plug-in 'Xoor', not of 'zoor'")) << out;
  EXPECT_TRUE(contains(out, "exit 1"));

  host::writePresetFile(path("short.fxp"), {bytes.begin(), bytes.end() - 1});
  out = state("load '" + path("short.fxp") + "'");
  EXPECT_TRUE(contains(out, "size field")) << out;
  EXPECT_FALSE(contains(out, "exit 0"));

  fs::resize_file(fxp, host::kMaxPresetFileSize + 1);
  out = state("load '" + fxp + "'");
  EXPECT_TRUE(contains(out, "more than any preset file")) << out;
  EXPECT_FALSE(contains(out, "exit 0"));
}

}  // namespace
