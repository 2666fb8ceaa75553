// tundrax-host edit: opens the plug-in's editor inside a top-level window of our own, idles it
// at the chosen rate (or not at all) and closes it cleanly. For measurements it can first
// spend a while with the editor closed, play a generated kick in real time meanwhile, and
// report the CPU time of this process (and of the X server) in each phase.
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <sstream>
#include <thread>
#include <vector>

#include "tools/host/Commands.h"
#include "tools/host/HostParentWindow.h"
#include "tools/host/OpenedPlugin.h"
#include "tools/kickgen/KickSynth.h"

namespace host {
namespace {

using Clock = std::chrono::steady_clock;

double processCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// CPU seconds of a process and the bytes it wrote (to files, pipes and sockets with write or
// writev, which is how Xlib sends to the X server), from /proc; zeros when unreadable.
struct ProcessLoad {
  double cpuSeconds = 0.0;
  double bytesWritten = 0.0;
};

ProcessLoad loadOf(const std::string& pid) {
  ProcessLoad load;
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close != std::string::npos) {
    std::istringstream fields(text.substr(close + 2));
    std::vector<std::string> f((std::istream_iterator<std::string>(fields)),
                               std::istream_iterator<std::string>());
    // After the name: state is field 3; utime and stime are fields 14 and 15.
    if (f.size() > 12) {
      load.cpuSeconds = (std::stod(f[11]) + std::stod(f[12])) / sysconf(_SC_CLK_TCK);
    }
  }
  std::ifstream io("/proc/" + pid + "/io");
  for (std::string key; io >> key;) {
    double value = 0.0;
    io >> value;
    if (key == "wchar:") load.bytesWritten = value;
  }
  return load;
}

// Processes a looping kick in real time on a thread of its own, block by block.
class RealTimePlayer {
 public:
  explicit RealTimePlayer(PluginInstance& plugin) : mPlugin(plugin) {
    mKicks = kickgen::synthesizeKicks(48000, 4.0);
    mPlugin.resume();
    mThread = std::thread([this] { run(); });
  }
  ~RealTimePlayer() {
    mStop = true;
    mThread.join();
    mPlugin.suspend();
  }

 private:
  void run() {
    constexpr int kBlock = 512;
    std::vector<float> in(kBlock), outL(kBlock), outR(kBlock);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    size_t pos = 0;
    auto next = Clock::now();
    while (!mStop) {
      for (float& s : in) {
        s = static_cast<float>(mKicks[pos]);
        pos = (pos + 1) % mKicks.size();
      }
      mPlugin.processReplacing(inputs, outputs, kBlock);
      next += std::chrono::microseconds(kBlock * 1000000LL / 48000);
      std::this_thread::sleep_until(next);
    }
  }

  PluginInstance& mPlugin;
  std::vector<double> mKicks;
  std::atomic<bool> mStop{false};
  std::thread mThread;
};

struct Phase {
  double wall = 0.0, cpu = 0.0, bytesWritten = 0.0;
  double serverCpu = 0.0;
};

// Idles (effEditIdle at the rate, the parent's events pumped) for the given time.
Phase runPhase(PluginInstance& plugin, HostParentWindow* parent, const EditOptions& options,
               double seconds) {
  const std::string server = std::to_string(options.xServerPid);
  const double cpu0 = processCpuSeconds();
  const ProcessLoad self0 = loadOf("self"), server0 = loadOf(server);
  const Clock::time_point start = Clock::now();
  const Clock::time_point end =
      start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  const auto period = std::chrono::duration<double>(1.0 / std::max(options.idleHz, 1));
  Clock::time_point next = start;
  while (Clock::now() < end) {
    if (options.idleHz > 0) plugin.dispatch(vst2::effEditIdle);
    if (parent) parent->pump();
    next += std::chrono::duration_cast<Clock::duration>(period);
    std::this_thread::sleep_until(std::min(next, end));
  }
  const ProcessLoad self1 = loadOf("self"), server1 = loadOf(server);
  Phase phase;
  phase.wall = std::chrono::duration<double>(Clock::now() - start).count();
  phase.cpu = processCpuSeconds() - cpu0;
  phase.bytesWritten = self1.bytesWritten - self0.bytesWritten;
  phase.serverCpu = server1.cpuSeconds - server0.cpuSeconds;
  return phase;
}

void report(const char* name, const Phase& phase, const EditOptions& options) {
  std::printf("%s: %.1f s, host CPU %.3f %% of a core, written %.0f bytes/s", name, phase.wall,
              100.0 * phase.cpu / phase.wall, phase.bytesWritten / phase.wall);
  if (options.xServerPid > 0) {
    std::printf(", X server CPU %.3f %%", 100.0 * phase.serverCpu / phase.wall);
  }
  std::printf("\n");
}

}  // namespace

int runEdit(const EditOptions& options) {
  std::unique_ptr<PluginInstance> plugin = openPlugin(options.plugin, HostSettings{});
  if (!(plugin->effect().flags & vst2::effFlagsHasEditor)) {
    throw HostError("the plug-in has no editor");
  }
  if (options.scale) {
    plugin->dispatch(vst2::effVendorSpecific, 0x50726553, 0x41654373, nullptr, *options.scale);
  }
  std::unique_ptr<RealTimePlayer> player;
  if (options.play) player = std::make_unique<RealTimePlayer>(*plugin);
  if (options.closedSeconds > 0.0) {
    report("closed", runPhase(*plugin, nullptr, options, options.closedSeconds), options);
  }

  vst2::ERect* rect = nullptr;
  if (!plugin->dispatch(vst2::effEditGetRect, 0, 0, &rect) || !rect) {
    throw HostError("the plug-in gives no editor size");
  }
  const int width = rect->right - rect->left, height = rect->bottom - rect->top;
  HostParentWindow parent(width, height, "tundrax-host");
  if (!plugin->dispatch(vst2::effEditOpen, 0, reinterpret_cast<intptr_t>(parent.display()),
                        reinterpret_cast<void*>(static_cast<uintptr_t>(parent.id())))) {
    throw HostError("the plug-in did not open its editor");
  }
  std::printf("editor: %d x %d\n", width, height);
  std::fflush(stdout);
  report("open", runPhase(*plugin, &parent, options, options.seconds), options);
  plugin->dispatch(vst2::effEditClose);
  player.reset();
  plugin->close();
  return 0;
}

}  // namespace host
