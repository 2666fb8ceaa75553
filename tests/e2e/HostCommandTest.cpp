// tundrax-host run as a user runs it: reports on stdout, clear messages and a non-zero exit
// status for every mistake; state in its own files and in .fxp and .fxb files (saved in the
// parameter forms, as Tundrax announces no chunks; the chunk forms are read too), refusing
// another plug-in's, a truncated or an oversized file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/e2e/TundraxPlugin.h"
#include "tools/host/AudioFile.h"
#include "tools/host/PresetFile.h"
#include "tools/kickgen/KickSynth.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string output;  // stdout and stderr together

  bool has(const std::string& part) const { return output.find(part) != std::string::npos; }
};

Result runHost(const std::string& args) {
  std::string command = std::string("'" TUNDRAX_HOST_PATH "' ") + args + " 2>&1";
  Result result{-1, ""};
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

class HostCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = fs::temp_directory_path() / ("tundrax-hostcmd-" + std::to_string(::getpid()));
    fs::create_directories(mDir);
    std::vector<double> kick = kickgen::synthesizeKicks(44100, 1.0);
    std::vector<double> stereo;
    for (double x : kick) stereo.insert(stereo.end(), {x, x});
    host::AudioWriter writer((mDir / "kick.wav").string(), 44100, 2);
    writer.write(stereo.data(), static_cast<int64_t>(kick.size()));
    writer.close();
  }
  void TearDown() override { fs::remove_all(mDir); }
  // A file in the test's folder, quoted for the shell.
  std::string path(const std::string& name) const { return "'" + (mDir / name).string() + "'"; }
  std::string file(const std::string& name) const { return (mDir / name).string(); }
  Result state(const std::string& args) { return runHost("state " + mPlugin + " " + args); }

  fs::path mDir;
  const std::string mPlugin = "'" TUNDRAX_PLUGIN_PATH "'";
};

TEST_F(HostCommand, InfoDescribesThePlugin) {
  Result text = runHost("info " + mPlugin);
  EXPECT_EQ(text.status, 0) << text.output;
  for (const char* expected : {"'zoor' 2054123378 (0x7a6f6f72)", "flags            0x1019",
                               "Orvalline", "Trance Kick 2", "Threshold", "receiveVstTimeInfo"}) {
    EXPECT_TRUE(text.has(expected)) << expected << "\n" << text.output;
  }
  Result json = runHost("info " + mPlugin + " --json");
  EXPECT_EQ(json.status, 0);
  EXPECT_TRUE(json.has("\"uniqueID\": \"zoor\"")) << json.output;
  EXPECT_TRUE(json.has("\"numParams\": 17"));
}

TEST_F(HostCommand, ProcessWritesTheFileAndReportsLevels) {
  Result result = runHost("process " + mPlugin + " " + path("kick.wav") + " " + path("out.flac") +
                          " --preset '808 Kick' --param 13=0.25 --block 100");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(result.has("program 4 \"808 Kick\"")) << result.output;
  EXPECT_TRUE(result.has("channel 2"));
  EXPECT_TRUE(result.has("Threshold                12.0 dB")) << result.output;
  host::AudioReader out((mDir / "out.flac").string());
  EXPECT_EQ(out.frames(), 44100);
  EXPECT_EQ(out.sampleRate(), 44100);
  EXPECT_EQ(out.channels(), 2);
}

TEST_F(HostCommand, MistakesExitNonZeroWithAMessage) {
  const std::string in = path("kick.wav"), out = path("out.wav");
  struct Case {
    std::string args;
    const char* message;
  };
  for (const Case& c : {
           Case{"process " + mPlugin + " " + path("none.wav") + " " + out, "no such audio file"},
           Case{"process " + path("none.so") + " " + in + " " + out, "no such plug-in file"},
           Case{"process " + mPlugin + " " + in + " " + out + " --preset 'Nope'",
                "no preset named 'Nope'"},
           Case{"process " + mPlugin + " " + in + " " + out + " --program 11",
                "program 11 does not exist"},
           Case{"process " + mPlugin + " " + in + " " + out + " --param 17=0.5",
                "parameter 17 does not exist"},
           Case{"process " + mPlugin + " " + in + " " + path("out.xyz"),
                "cannot tell the audio format"},
           Case{"process " + mPlugin + " " + in + " " + out + " --param 3=2", "--param expects"},
           Case{"state " + mPlugin + " load " + path("none.txst"), "cannot read"},
           Case{"frobnicate", "unknown command"},
       }) {
    Result result = runHost(c.args);
    EXPECT_NE(result.status, 0) << c.args;
    EXPECT_TRUE(result.has(c.message)) << c.args << "\n" << result.output;
  }
}

TEST_F(HostCommand, StateRoundTrip) {
  Result saved = state("save " + path("s.txst") + " --program 3 --program 7");
  ASSERT_EQ(saved.status, 0) << saved.output;
  EXPECT_TRUE(saved.has("bank chunk 1691 bytes, program chunk 144 bytes, current program 7"))
      << saved.output;
  Result loaded = state("load " + path("s.txst"));
  ASSERT_EQ(loaded.status, 0) << loaded.output;
  EXPECT_TRUE(loaded.has("programs (current 7)")) << loaded.output;
  EXPECT_TRUE(loaded.has("Warmth gain              2")) << loaded.output;

  // A state whose bank the plug-in refuses is reported as an error.
  std::fstream stored(file("s.txst"), std::ios::in | std::ios::out | std::ios::binary);
  stored.seekp(24 + 8);  // the first program's name length, inside the bank chunk
  const char huge[4] = {'\x7f', '\x7f', '\x7f', '\x7f'};
  stored.write(huge, 4);
  stored.close();
  Result refused = state("load " + path("s.txst"));
  EXPECT_EQ(refused.status, 1) << refused.output;
  EXPECT_TRUE(refused.has("rejected the bank chunk")) << refused.output;
}

TEST_F(HostCommand, ScreenshotWritesTheEditorAndRefusesWhatItCannotDo) {
  Result shot = runHost("screenshot " + mPlugin + " " + path("editor.png") +
                        " --preset '808 Kick' --hover 270,500 --audio " + path("kick.wav"));
  EXPECT_EQ(shot.status, 0) << shot.output;
  std::ifstream png(mDir / "editor.png", std::ios::binary);
  char header[24] = {};
  png.read(header, sizeof header);
  EXPECT_EQ(std::string(header + 1, 3), "PNG");
  // Width and height, big-endian, after the signature and the IHDR chunk's length and type.
  auto be32 = [&](int at) {
    return (uint8_t(header[at]) << 24) | (uint8_t(header[at + 1]) << 16) |
           (uint8_t(header[at + 2]) << 8) | uint8_t(header[at + 3]);
  };
  EXPECT_EQ(be32(16), 900);
  EXPECT_EQ(be32(20), 620);

  Result badHover = runHost("screenshot " + mPlugin + " " + path("x.png") + " --hover 3");
  EXPECT_EQ(badHover.status, 2);
  EXPECT_TRUE(badHover.has("--hover expects X,Y")) << badHover.output;
  Result noFolder = runHost("screenshot " + mPlugin + " " + path("missing/x.png"));
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_TRUE(noFolder.has("cannot write")) << noFolder.output;
}

TEST_F(HostCommand, FxpAndFxbRoundTripThroughTheParameterForms) {
  const std::string fxp = file("p.fxp"), fxb = file("b.FXB");
  EXPECT_TRUE(state("save " + path("p.fxp") + " --program 4").has("as parameter values"));
  EXPECT_EQ(state("save " + path("b.FXB") + " --program 7").status, 0);

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

  const Result loaded = state("load " + path("b.FXB"));
  EXPECT_EQ(loaded.status, 0);
  EXPECT_TRUE(loaded.has("programs (current 7)")) << loaded.output;
  EXPECT_TRUE(state("load " + path("p.fxp")).has("0  808 Kick"));
}

TEST_F(HostCommand, FxpAndFxbInTheChunkForms) {
  auto plugin = e2e::openTundrax();
  plugin->setProgram(5);
  plugin->setParameter(13, 0.5f);
  host::FxProgramFile program;
  program.uniqueID = plugin->effect().uniqueID;
  program.numParams = 17;
  program.program = {"Edited", true, {}, plugin->getChunk(host::ChunkKind::Program)};
  host::writePresetFile(file("c.fxp"), host::encodeProgramFile(program));
  host::FxBankFile bank;
  bank.uniqueID = program.uniqueID;
  bank.numPrograms = 11;
  bank.currentProgram = 5;
  bank.isChunk = true;
  bank.chunk = plugin->getChunk(host::ChunkKind::Bank);
  host::writePresetFile(file("c.fxb"), host::encodeBankFile(bank));
  plugin->close();

  const Result loaded = state("load " + path("c.fxp"));
  EXPECT_TRUE(loaded.has("Threshold                24.0 dB")) << loaded.output;
  EXPECT_TRUE(loaded.has("0  Edited")) << loaded.output;
  const Result loadedBank = state("load " + path("c.fxb"));
  EXPECT_TRUE(loadedBank.has("programs (current 5)")) << loadedBank.output;
  EXPECT_TRUE(loadedBank.has("Threshold                24.0 dB")) << loadedBank.output;
}

TEST_F(HostCommand, RefusesForeignTruncatedAndOversizedPresetFiles) {
  state("save " + path("p.fxp"));
  std::vector<uint8_t> bytes = host::readPresetFile(file("p.fxp"));
  std::vector<uint8_t> foreign = bytes;
  foreign[16] = 'X';
  host::writePresetFile(file("foreign.fxp"), foreign);
  host::writePresetFile(file("short.fxp"), {bytes.begin(), bytes.end() - 1});
  fs::resize_file(file("p.fxp"), host::kMaxPresetFileSize + 1);
  struct Case {
    const char* name;
    const char* message;
  };
  for (Case c : {Case{"foreign.fxp", "a preset of plug-in 'Xoor', not of 'zoor'"},
                 Case{"short.fxp", "size field"}, Case{"p.fxp", "more than any preset file"}}) {
    const Result out = state("load " + path(c.name));
    EXPECT_TRUE(out.has(c.message)) << out.output;
    EXPECT_EQ(out.status, 1) << c.name;
  }
}

}  // namespace
