// Debian's LV2 tools on the built bundle: lv2ls and lv2info find the plug-in with its ports,
// presets and UI without a warning, and lv2apply renders the generated kick bit for bit as
// tundrax-host renders it through the VST2 plug-in in double precision.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/RunCommand.h"
#include "tools/host/AudioFile.h"

namespace {

namespace fs = std::filesystem;

const std::string kEnv = "LV2_PATH='" TUNDRAX_LV2_PATH "' ";

std::string readText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t countOf(const std::string& text, const std::string& word) {
  std::size_t count = 0;
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    ++count;
  }
  return count;
}

class Lv2Tools : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = fs::temp_directory_path() / ("tundrax-lv2-" + std::to_string(::getpid()));
    fs::create_directories(mDir);
  }
  void TearDown() override { fs::remove_all(mDir); }

  std::vector<double> samples(const fs::path& path) {
    host::AudioReader reader(path.string());
    std::vector<double> data(static_cast<std::size_t>(reader.frames() * reader.channels()));
    reader.read(data.data(), reader.frames());
    return data;
  }

  fs::path mDir;
};

TEST_F(Lv2Tools, Lv2lsAndLv2infoListThePluginWithoutWarnings) {
  const fs::path err = mDir / "stderr.txt";
  const std::string list = runCommand(kEnv + "lv2ls 2>'" + err.string() + "'");
  EXPECT_EQ(list, "urn:orvalline:tundrax\n");
  EXPECT_EQ(readText(err), "");
  const std::string info =
      runCommand(kEnv + "lv2info urn:orvalline:tundrax 2>'" + err.string() + "'");
  EXPECT_EQ(readText(err), "");
  EXPECT_EQ(countOf(info, "\tPort "), 23u) << info;
  EXPECT_NE(info.find("Has latency:       no"), std::string::npos);
  EXPECT_NE(info.find("http://lv2plug.in/ns/ext/state#interface"), std::string::npos);
  EXPECT_NE(info.find("\t\turn:orvalline:tundrax#ui\n"
                      "\t\t\tClass:  http://lv2plug.in/ns/extensions/ui#X11UI\n"
                      "\t\t\tBinary: file://" TUNDRAX_LV2_BUNDLE "/TundraxUI.so\n"),
            std::string::npos)
      << info;
  for (const char* preset : {"Default", "808 Kick", "Trance Kick 2", "Acoustic Kick 3"}) {
    EXPECT_NE(info.find(std::string(" ") + preset + "\n"), std::string::npos) << preset;
  }
}

TEST_F(Lv2Tools, Lv2applyRendersWhatTheVst2PluginRendersInDoublePrecision) {
  const fs::path kick = mDir / "kick.wav";
  runCommand("'" TUNDRAX_KICKGEN_PATH "' '" + kick.string() + "' --rate 48000 --seconds 2");
  ASSERT_TRUE(fs::exists(kick));
  struct Setting {
    const char* name;
    std::string lv2Controls, vst2Options;
  };
  const Setting settings[] = {
      {"Default", "", ""},
      {"808 Kick",
       "-c warmth_frequency 2 -c warmth_gain 1 -c warmth_quality 2 -c boxiness_frequency 2 "
       "-c boxiness_gain 1 -c boxiness_quality 1 -c click_gain 2",
       "--preset '808 Kick'"},
      {"threshold 18 dB", "-c threshold 18", "--param 13=0.375"},
  };
  std::vector<double> previous;
  for (const Setting& setting : settings) {
    SCOPED_TRACE(setting.name);
    const fs::path lv2 = mDir / "lv2.wav", vst2 = mDir / "vst2.wav";
    fs::remove(lv2);
    fs::remove(vst2);
    runCommand(kEnv + "lv2apply -i '" + kick.string() + "' -o '" + lv2.string() + "' " +
               setting.lv2Controls + " urn:orvalline:tundrax");
    runCommand("'" TUNDRAX_HOST_PATH "' process '" TUNDRAX_PLUGIN_PATH "' '" + kick.string() +
               "' '" + vst2.string() + "' --precision double " + setting.vst2Options);
    ASSERT_TRUE(fs::exists(lv2) && fs::exists(vst2));
    const std::vector<double> rendered = samples(lv2);
    EXPECT_EQ(rendered.size(), 2u * 96000);
    EXPECT_TRUE(rendered == samples(vst2));
    EXPECT_NE(rendered, previous);  // each setting sounds different
    previous = rendered;
  }
}

}  // namespace
