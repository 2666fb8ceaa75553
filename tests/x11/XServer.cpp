#include "XServer.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace x11test {
namespace {

int gErrors = 0;

int CountError(Display*, XErrorEvent*) {
  ++gErrors;
  return 0;
}

class XvfbEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const std::string fd = std::to_string(fds[1]);
    // Room for the product's editor at 2x: XGetImage needs a window wholly on the screen. The
    // server ends when its last client goes: the tests' own connection, open from here to the
    // end, or with it the whole program if that crashes.
    const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",    "0",
                          "2048x1536x24", "-nolisten",  "tcp",      "-terminate", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    // The server outlives a test program that crashes; holding the program's output open it
    // would keep ctest waiting for that output instead of reporting the crash.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    ASSERT_EQ(posix_spawnp(&mPid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    unsetenv("TUNDRAX_SCALE");  // the tests choose the scale through the host
    // Our handler is in place before any plug-in connects: an X error that reaches it is
    // counted (and fails the test) instead of ending the process.
    ASSERT_NE(TestDisplay(), nullptr);
  }
  void TearDown() override {
    if (Display* display = TestDisplay()) XCloseDisplay(display);
    if (mPid > 0) {
      kill(mPid, SIGTERM);
      waitpid(mPid, nullptr, 0);
    }
  }

 private:
  pid_t mPid = -1;
};

const auto* const gEnvironment = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

}  // namespace

Display* TestDisplay() {
  static Display* display = [] {
    Display* d = XOpenDisplay(nullptr);
    XSetErrorHandler(&CountError);
    return d;
  }();
  return display;
}

int TestDisplayErrors() { return gErrors; }

std::vector<uint32_t> WindowPixels(unsigned long window) {
  Display* display = TestDisplay();
  XWindowAttributes attributes;
  if (!window || !XGetWindowAttributes(display, window, &attributes)) return {};
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) return {};
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(attributes.width) * attributes.height);
  for (int y = 0; y < attributes.height; ++y) {
    for (int x = 0; x < attributes.width; ++x) pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
  }
  XDestroyImage(image);
  return pixels;
}

namespace {

unsigned long FindViewableWindowUnder(Window parent, int width, int height) {
  Display* display = TestDisplay();
  Window root, parentOfParent, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOfParent, &children, &count)) return 0;
  unsigned long found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, children[i], &a) || a.map_state != IsViewable) continue;
    found = FindViewableWindowUnder(children[i], width, height);
    if (!found && a.width == width && a.height == height) found = children[i];
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

unsigned long FindViewableWindow(int width, int height) {
  Display* display = TestDisplay();
  return FindViewableWindowUnder(DefaultRootWindow(display), width, height);
}

void XDo(const std::string& words) {
  const std::string command = "xdotool " + words;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace x11test
