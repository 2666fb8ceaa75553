// Ardour's VST2 scanner, a real host's loader, accepts the plug-in and indexes it with the
// right identity. The scanner writes its cache under $HOME, which the test points at a
// folder of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "RunCommand.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kScanner = "/usr/lib/ardour7/ardour-vst-scanner";

TEST(ArdourScanner, IndexesThePlugin) {
  if (!fs::exists(kScanner)) {
    if (std::getenv("CI") != nullptr) FAIL() << kScanner << " is missing (install ardour)";
    GTEST_SKIP() << kScanner << " is missing (install ardour to run this test)";
  }
  const fs::path home =
      fs::temp_directory_path() / ("tundrax-ardour-" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  const std::string output =
      runCommand("HOME='" + home.string() + "' XDG_CACHE_HOME='" + home.string() +
                 "/.cache' LD_LIBRARY_PATH=/usr/lib/ardour7 " + kScanner +
                 " -f '" TUNDRAX_PLUGIN_PATH "' 2>&1");
  // Ardour prints the unique ID in memory order.
  EXPECT_NE(output.find("Found Plugin: 'rooz' Tundrax"), std::string::npos) << output;

  std::string cache;
  for (const auto& entry : fs::recursive_directory_iterator(home)) {
    if (entry.path().extension() == ".v2i") {
      std::ifstream in(entry.path());
      std::stringstream text;
      text << in.rdbuf();
      cache = text.str();
    }
  }
  fs::remove_all(home);
  ASSERT_FALSE(cache.empty()) << "no cache file written; scanner said:\n" << output;
  for (const char* attribute : {"name=\"Tundrax\"", "creator=\"Orvalline\"", "n_inputs=\"2\"",
                                "n_outputs=\"2\"", "id=\"2054123378\"", "category=\"Effect\"",
                                "is_instrument=\"0\"", "can_process_replace=\"1\""}) {
    EXPECT_NE(cache.find(attribute), std::string::npos) << attribute << " in\n" << cache;
  }
}

}  // namespace
