// Debian's jalv (its GTK 3 front end) shows the LV2 UI embedded in its window, on a JACK
// server of the test's own (dummy driver, no sound card) and the test's Xvfb: the editor shows
// exactly the VST2 editor's picture for the controls jalv sets, answers a click, and jalv quits
// cleanly with it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "EditorSession.h"
#include "XServer.h"
#include "product/TundraxLayout.h"
#include "product/TundraxParams.h"
#include "tools/host/PluginLibrary.h"

extern char** environ;

namespace {

constexpr int kWidth = 900, kHeight = 620;

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A program run for the test, ended (SIGTERM) when the object goes unless it was waited for.
class Child {
 public:
  // Its output goes nowhere; so do its complaints when quiet.
  explicit Child(std::vector<std::string> args, bool quiet = false) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (quiet) posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (posix_spawnp(&mPid, argv[0], &actions, nullptr, argv.data(), environ) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Child() {
    if (mPid > 0) Stop();
  }
  bool Running() { return mPid > 0 && waitpid(mPid, &mStatus, WNOHANG) == 0; }
  // Sends SIGTERM and waits up to 10 s; returns the exit status, or -1 if it had to be killed.
  int Stop() {
    if (mPid <= 0) return -1;
    kill(mPid, SIGTERM);
    for (int i = 0; i < 500 && waitpid(mPid, &mStatus, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (waitpid(mPid, &mStatus, WNOHANG) == 0) {
      kill(mPid, SIGKILL);
      waitpid(mPid, &mStatus, 0);
      mPid = -1;
      return -1;
    }
    mPid = -1;
    return WIFEXITED(mStatus) ? WEXITSTATUS(mStatus) : -1;
  }

 private:
  pid_t mPid = -1;
  int mStatus = 0;
};

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return condition();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::vector<uint32_t> Vst2Snapshot(float bypassWarmth, float threshold) {
  host::PluginInstance plug(host::PluginLibrary::load(TUNDRAX_PLUGIN_PATH));
  plug.open();
  plug.setParameter(kBypassWarmth, bypassWarmth);
  plug.setParameter(kThreshold, threshold);
  return x11test::SnapshotPixels(plug);
}

TEST(Jalv, ShowsTheEditorAsTheVst2SnapshotAndQuitsCleanly) {
  if (!OnPath("jalv.gtk3") || !OnPath("jackd")) {
    if (std::getenv("CI"))
      FAIL() << "jalv.gtk3 or jackd is missing (tools/setup-debian.sh --tests)";
    GTEST_SKIP() << "jalv.gtk3 or jackd is missing";
  }
  x11test::XDo("mousemove 1000 760");  // pointer away from the editor
  const std::string server = "tundrax-test-" + std::to_string(getpid());
  setenv("JACK_DEFAULT_SERVER", server.c_str(), 1);
  setenv("JACK_NO_START_SERVER", "1", 1);
  setenv("LV2_PATH", TUNDRAX_LV2_PATH, 1);
  Child jack({"jackd", "--no-realtime", "-n", server, "-d", "dummy", "-r", "48000", "-p", "256"},
             true);
  ASSERT_TRUE(jack.Running());

  // jalv gives up when the server is not up yet: start it again until the editor shows.
  std::unique_ptr<Child> jalv;
  unsigned long editor = 0;
  WaitFor(
      [&] {
        if (!jalv || !jalv->Running()) {
          jalv = std::make_unique<Child>(
              std::vector<std::string>{"jalv.gtk3", "-c", "bypass_warmth=1", "-c", "threshold=14.4",
                                       "urn:orvalline:tundrax"});
        }
        return (editor = x11test::FindViewableWindow(kWidth, kHeight)) != 0;
      },
      30000);
  ASSERT_NE(editor, 0u) << "jalv showed no editor";

  std::vector<uint32_t> expected = Vst2Snapshot(1.0f, 0.3f), pixels;
  ASSERT_EQ(expected.size(), size_t{kWidth} * kHeight);
  WaitFor([&] { return (pixels = x11test::WindowPixels(editor)) == expected; }, 10000);
  size_t differing = 0;
  for (size_t i = 0; i < std::min(pixels.size(), expected.size()); ++i) {
    differing += pixels[i] != expected[i];
  }
  EXPECT_EQ(pixels.size(), expected.size());
  EXPECT_EQ(differing, 0u);

  // The Warmth band's switch turns the band on again (its controls lose their grey).
  const auto& warmth = tundrax::layout::kControls[0];
  x11test::XDo("mousemove --window " + std::to_string(editor) + " " +
               std::to_string(warmth.x + 10) + " " + std::to_string(warmth.y + 10) +
               " click 1 mousemove 1000 760");
  expected = Vst2Snapshot(0.0f, 0.3f);
  EXPECT_TRUE(WaitFor([&] { return x11test::WindowPixels(editor) == expected; }, 10000));

  EXPECT_EQ(jalv->Stop(), 0);
  jack.Stop();
}

}  // namespace
