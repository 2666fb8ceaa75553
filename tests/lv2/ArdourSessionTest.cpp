// Ardour as an LV2 host, headless through its Lua session tool: a session on the dummy
// backend gets a track with Tundrax, loads the "808 Kick" preset, moves a port, saves, and
// after reopening the session the plug-in holds both; the saved plug-in state is our program
// chunk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/e2e/RunCommand.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kArdourLua = "/usr/bin/ardour7-lua";

constexpr const char* kScript = R"lua(
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:start()
local dir = os.getenv("SESSION_DIR")
Session = create_session(dir, "kick", 48000)
local track = Session:new_audio_track(2, 2, nil, 1, "kick", ARDOUR.PresentationInfo.max_order,
                                      ARDOUR.TrackMode.Normal, true):front()
local proc = ARDOUR.LuaAPI.new_plugin(Session, "urn:orvalline:tundrax", ARDOUR.PluginType.LV2, "")
assert(not proc:isnil(), "plug-in not found")
assert(track:add_processor_by_index(proc, 0, nil, true))
local plug = proc:to_insert():plugin(0)
print("loaded", plug:name(), plug:parameter_count())
local preset = plug:preset_by_label("808 Kick")
print("preset", preset and plug:load_preset(preset))
ARDOUR.LuaAPI.set_processor_param(proc, 13, 18)
Session:save_state("", false, false, false, false, false)
close_session()
Session = load_session(dir, "kick")
local again = Session:route_by_name("kick"):nth_plugin(0)
print("warmth_frequency", (ARDOUR.LuaAPI.get_processor_param(again, 3, true)))
print("threshold", (ARDOUR.LuaAPI.get_processor_param(again, 13, true)))
close_session()
)lua";

TEST(ArdourSession, LoadsPresetsAndKeepsStateAcrossSaving) {
  if (!fs::exists(kArdourLua)) {
    if (std::getenv("CI") != nullptr) FAIL() << kArdourLua << " is missing (install ardour)";
    GTEST_SKIP() << kArdourLua << " is missing (install ardour to run this test)";
  }
  const fs::path dir =
      fs::temp_directory_path() / ("tundrax-ardour-lv2-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "home");
  { std::ofstream(dir / "session.lua") << kScript; }
  const std::string output =
      runCommand("HOME='" + (dir / "home").string() + "' SESSION_DIR='" +
                 (dir / "session").string() + "' LV2_PATH='" TUNDRAX_LV2_PATH "' " + kArdourLua +
                 " '" + (dir / "session.lua").string() + "' 2>&1");
  EXPECT_NE(output.find("loaded Tundrax 23\n"), std::string::npos) << output;
  EXPECT_NE(output.find("preset true\n"), std::string::npos) << output;
  EXPECT_NE(output.find("warmth_frequency 2.0\n"), std::string::npos) << output;
  EXPECT_NE(output.find("threshold 18.0\n"), std::string::npos) << output;

  std::string state;
  for (const auto& entry : fs::recursive_directory_iterator(dir / "session")) {
    if (entry.path().filename() != "state.ttl") continue;
    std::stringstream text;
    text << std::ifstream(entry.path()).rdbuf();
    state = text.str();
  }
  EXPECT_NE(state.find("<urn:orvalline:tundrax#program> \"\"\"dGZmcAAAAQ"), std::string::npos)
      << state;
  fs::remove_all(dir);
}

}  // namespace
