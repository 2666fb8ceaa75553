// The editor against the hosts that treat it roughly: many openings of two instances closed in
// either order, a parent window destroyed before the editor is closed, no effEditIdle at all,
// effEditIdle at 15 and 60 Hz from another thread, effEditIdle with no editor, and unloading.
// Each ends without an X error, a crash, a leak (under the sanitizers) or a thread of ours
// left running.
#include <gtest/gtest.h>

#include <dirent.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "EditorSession.h"
#include "XServer.h"
#include "plugin/X11TestPlug.h"

namespace x11test {
namespace {

using Kind = host::HostEvent::Kind;
using P = X11TestPlug;

int ThreadCount() {
  int n = 0;
  if (DIR* dir = opendir("/proc/self/task")) {
    while (dirent* entry = readdir(dir)) n += entry->d_name[0] != '.';
    closedir(dir);
  }
  return n;
}

bool TestPlugIsMapped() {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);) {
    if (line.find("X11TestPlug.so") != std::string::npos) return true;
  }
  return false;
}

class EditorLifecycleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    XDo("mousemove 1000 700");
    // Runtimes that start a helper thread with the first thread (the thread sanitizer's) have
    // it running before we count.
    std::thread([] {}).join();
    mThreadsBefore = ThreadCount();
  }
  void TearDown() override {
    EXPECT_EQ(TestDisplayErrors(), 0);
    EXPECT_EQ(ThreadCount(), mThreadsBefore);
  }
  // A click on the bypass switch, then the gesture the host heard in full.
  static void ClickBypassAndHearIt(EditorSession& session, bool idle) {
    const float before = session.Plug().getParameter(P::kBypass);
    session.Click(P::kBypassRect.L + 5, P::kBypassRect.T + 5);
    EXPECT_TRUE(
        session.WaitFor([&] { return session.Plug().getParameter(P::kBypass) != before; }, idle));
    EXPECT_TRUE(
        session.WaitFor([&] { return session.Plug().host().events().count(Kind::EndEdit); }, idle));
    const auto events = session.Plug().host().events().take();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Kind::BeginEdit);
    EXPECT_EQ(events[1].kind, Kind::Automate);
    EXPECT_EQ(events[2].kind, Kind::EndEdit);
  }

  int mThreadsBefore = 0;
};

TEST_F(EditorLifecycleTest, FiftyOpeningsOfTwoEditorsClosedInBothOrders) {
  auto library = LoadTestPlug();
  EditorSession a(library), b(library);
  for (int round = 0; round < 50; ++round) {
    a.Open(false);
    b.Open(false);
    a.Idle();
    b.Idle();
    if (round % 2 == 0) {
      a.Close();
      b.Close();
    } else {
      b.Close();
      a.Close();
    }
  }
  // Still a working editor afterwards.
  a.Open();
  ClickBypassAndHearIt(a, true);
}

TEST_F(EditorLifecycleTest, AParentDestroyedBeforeCloseAndIdleWithoutAnEditorHarmNothing) {
  EditorSession session;
  for (int i = 0; i < 5; ++i) session.Idle();
  session.Open();
  session.Parent().destroy();
  session.WaitFor([] { return false; }, true, 200);
  session.Close();
  for (int i = 0; i < 5; ++i) session.Idle();
  EXPECT_TRUE(session.Plug().host().events().events().empty());
  session.Open();
  ClickBypassAndHearIt(session, true);
}

TEST_F(EditorLifecycleTest, ASecondOpenWithoutCloseMovesTheEditorToTheNewParent) {
  EditorSession session;
  session.Open();
  host::HostParentWindow second(300, 200, "second parent");
  ASSERT_EQ(session.Plug().dispatch(vst2::effEditOpen, 0, 0,
                                    reinterpret_cast<void*>(static_cast<uintptr_t>(second.id()))),
            1);
  bool mapped = false;
  EXPECT_NE(second.firstChild(&mapped), 0u);
  EXPECT_TRUE(mapped);
  // The first editor window goes away by itself.
  EXPECT_TRUE(session.WaitFor([&] { return session.EditorWindow() == 0; }));
  session.Close();
}

// Without effEditIdle (0 Hz) the editor still draws and the host hears gestures; with
// effEditIdle from another thread it works at any rate.
TEST_F(EditorLifecycleTest, EffEditIdleNeverOrAt15And60HzFromAnotherThread) {
  for (int hz : {0, 15, 60}) {
    SCOPED_TRACE(hz);
    EditorSession session;
    session.Open();  // waits for the first picture without idling
    const auto before = session.Pixels();
    std::atomic<bool> stop{false};
    std::thread idler([&] {
      while (hz && !stop) {
        session.Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(1000 / hz));
      }
    });
    ClickBypassAndHearIt(session, false);
    EXPECT_TRUE(session.WaitFor([&] { return session.Pixels() != before; }, false));
    stop = true;
    idler.join();
  }
}

// A host whose automation callback waits for its GUI thread, which is busy closing the editor.
struct BlockingHost {
  static BlockingHost& Get() {
    static BlockingHost host;
    return host;
  }
  static intptr_t Callback(vst2::AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    if (opcode == vst2::audioMasterVersion) return 2400;
    if (opcode != vst2::audioMasterBeginEdit) return 0;
    BlockingHost& host = Get();
    std::unique_lock lock(host.mutex);
    host.inside = true;
    host.changed.notify_all();
    host.changed.wait_for(lock, std::chrono::seconds(10), [&] { return host.closed; });
    return 1;
  }
  std::mutex mutex;
  std::condition_variable changed;
  bool inside = false, closed = false;
};

TEST_F(EditorLifecycleTest, ClosingDoesNotWaitForAnEditorThreadInsideTheHost) {
  BlockingHost& host = BlockingHost::Get();
  auto* plug = new X11TestPlug(IPlugInstanceInfo{&BlockingHost::Callback});
  vst2::AEffect* effect = plug->GetAEffect();
  host::HostParentWindow parent(300, 200, "blocking host");
  ASSERT_EQ(effect->dispatcher(effect, vst2::effEditOpen, 0, 0,
                               reinterpret_cast<void*>(static_cast<uintptr_t>(parent.id())), 0.0f),
            1);
  // No effEditIdle: the click's begin-edit reaches the host from the editor's thread.
  XDo("mousemove --window " + std::to_string(parent.firstChild()) + " 15 15 click 1");
  {
    std::unique_lock lock(host.mutex);
    ASSERT_TRUE(host.changed.wait_for(lock, std::chrono::seconds(5), [&] { return host.inside; }));
  }
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(effect->dispatcher(effect, vst2::effEditClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  {
    std::lock_guard lock(host.mutex);
    host.closed = true;
    host.changed.notify_all();
  }
  effect->dispatcher(effect, vst2::effClose, 0, 0, nullptr, 0.0f);  // joins the thread
}

TEST_F(EditorLifecycleTest, UnloadingAfterAnEditorLeavesNoThreadAndUnmapsTheLibrary) {
  for (int round = 0; round < 20; ++round) {
    {
      EditorSession session;
      session.Open(false);
      session.Close();
    }
    ASSERT_FALSE(TestPlugIsMapped()) << "round " << round;
    ASSERT_EQ(ThreadCount(), mThreadsBefore) << "round " << round;
  }
}

}  // namespace
}  // namespace x11test
