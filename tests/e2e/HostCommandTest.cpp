// tundrax-host run as a user runs it: reports on stdout, clear messages and a non-zero exit
// status for every mistake.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/host/AudioFile.h"
#include "tools/kickgen/KickSynth.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string output;  // stdout and stderr together
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

  fs::path mDir;
  const std::string mPlugin = "'" TUNDRAX_PLUGIN_PATH "'";
};

TEST_F(HostCommand, InfoDescribesThePlugin) {
  Result text = runHost("info " + mPlugin);
  EXPECT_EQ(text.status, 0) << text.output;
  for (const char* expected : {"'zoor' 2054123378 (0x7a6f6f72)", "flags            0x1019",
                               "Orvalline", "Trance Kick 2", "Threshold", "receiveVstTimeInfo"}) {
    EXPECT_NE(text.output.find(expected), std::string::npos) << expected << "\n" << text.output;
  }
  Result json = runHost("info " + mPlugin + " --json");
  EXPECT_EQ(json.status, 0);
  EXPECT_NE(json.output.find("\"uniqueID\": \"zoor\""), std::string::npos) << json.output;
  EXPECT_NE(json.output.find("\"numParams\": 17"), std::string::npos);
}

TEST_F(HostCommand, ProcessWritesTheFileAndReportsLevels) {
  Result result = runHost("process " + mPlugin + " " + path("kick.wav") + " " + path("out.flac") +
                          " --preset '808 Kick' --param 13=0.25 --block 100");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("program 4 \"808 Kick\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("channel 2"), std::string::npos);
  EXPECT_NE(result.output.find("Threshold                12.0 dB"), std::string::npos)
      << result.output;
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
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.args << "\n" << result.output;
  }
}

TEST_F(HostCommand, StateRoundTrip) {
  Result saved =
      runHost("state " + mPlugin + " save " + path("s.txst") + " --program 3 --program 7");
  ASSERT_EQ(saved.status, 0) << saved.output;
  EXPECT_NE(saved.output.find("bank chunk 1691 bytes, program chunk 144 bytes, current program 7"),
            std::string::npos)
      << saved.output;
  Result loaded = runHost("state " + mPlugin + " load " + path("s.txst"));
  ASSERT_EQ(loaded.status, 0) << loaded.output;
  EXPECT_NE(loaded.output.find("programs (current 7)"), std::string::npos) << loaded.output;
  EXPECT_NE(loaded.output.find("Warmth gain              2"), std::string::npos) << loaded.output;

  // A state whose bank the plug-in refuses is reported as an error.
  std::fstream file((mDir / "s.txst").string(), std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(24 + 8);  // the first program's name length, inside the bank chunk
  const char huge[4] = {'\x7f', '\x7f', '\x7f', '\x7f'};
  file.write(huge, 4);
  file.close();
  Result refused = runHost("state " + mPlugin + " load " + path("s.txst"));
  EXPECT_EQ(refused.status, 1) << refused.output;
  EXPECT_NE(refused.output.find("rejected the bank chunk"), std::string::npos) << refused.output;
}

}  // namespace
