#include "EditorSession.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

#include "XServer.h"
#include "tools/host/OpenedPlugin.h"
#include "vst2/EditorSnapshot.h"

namespace x11test {

std::shared_ptr<host::PluginLibrary> LoadTestPlug() {
  return host::PluginLibrary::load(X11_TEST_PLUG_PATH);
}

EditorSession::EditorSession(std::shared_ptr<host::PluginLibrary> library, float scale) {
  mPlug = std::make_unique<host::PluginInstance>(std::move(library));
  mPlug->open();
  mPlug->setSampleRate(48000.0);
  mPlug->setBlockSize(512);
  // The editor's scale as the plug-in chooses it from the host's (no environment or Xft.dpi
  // setting reaches the tests' X server).
  mScale = scale >= 1.5f ? 2 : 1;
  if (scale > 0.0f) {
    EXPECT_EQ(mPlug->dispatch(vst2::effVendorSpecific, 0x50726553, 0x41654373, nullptr, scale), 1);
  }
}

EditorSession::~EditorSession() {
  if (mOpen) Close();
}

std::pair<int, int> EditorSession::RectSize() {
  vst2::ERect* rect = nullptr;
  EXPECT_EQ(mPlug->dispatch(vst2::effEditGetRect, 0, 0, &rect), 1);
  return rect ? std::pair(rect->right - rect->left, rect->bottom - rect->top) : std::pair(0, 0);
}

void EditorSession::Open(bool waitForPicture) {
  const auto [w, h] = RectSize();
  mParent = std::make_unique<host::HostParentWindow>(w, h, "x11 tests");
  ASSERT_EQ(mPlug->dispatch(vst2::effEditOpen, 0, reinterpret_cast<intptr_t>(mParent->display()),
                            reinterpret_cast<void*>(static_cast<uintptr_t>(mParent->id()))),
            1);
  mOpen = true;
  if (!waitForPicture) return;
  // The first frame shows the panel, which is not black.
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<uint32_t> pixels = Pixels();
    return !pixels.empty() && pixels[0] != 0;
  }));
}

void EditorSession::Close() {
  EXPECT_EQ(mPlug->dispatch(vst2::effEditClose), 1);
  mOpen = false;
  mParent.reset();
}

unsigned long EditorSession::EditorWindow() { return mParent ? mParent->firstChild() : 0; }

void EditorSession::Idle() { mPlug->dispatch(vst2::effEditIdle); }

bool EditorSession::WaitFor(const std::function<bool()>& condition, bool idle, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return condition();
    if (idle) Idle();
    if (mParent) mParent->pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

void EditorSession::At(int x, int y, const std::string& words) {
  XDo("mousemove --window " + std::to_string(EditorWindow()) + " " +
      std::to_string(x * mScale + mScale / 2) + " " + std::to_string(y * mScale + mScale / 2) +
      " " + words);
}

void EditorSession::Drag(int x, int y, int dy, const std::string& key) {
  const std::string down = key.empty() ? "" : "keydown " + key + " ";
  const std::string up = key.empty() ? "" : " keyup " + key;
  At(x, y,
     down + "mousedown 1 mousemove_relative -- 0 " + std::to_string(dy * mScale / 2) +
         " mousemove_relative -- 0 " + std::to_string(dy * mScale - dy * mScale / 2) +
         " mouseup 1" + up);
}

std::vector<uint32_t> EditorSession::Pixels() { return WindowPixels(EditorWindow()); }

std::vector<uint32_t> SnapshotPixels(host::PluginInstance& plug) {
  vst2::EditorSnapshot snapshot;
  EXPECT_EQ(plug.dispatch(vst2::effVendorSpecific, vst2::kEditorSnapshotIndex, 0, &snapshot), 1);
  std::vector<uint32_t> pixels;
  if (!snapshot.pixels) return pixels;
  for (int y = 0; y < snapshot.height; ++y) {
    for (int x = 0; x < snapshot.width; ++x) {
      const auto* p = reinterpret_cast<const uint8_t*>(snapshot.pixels + y * snapshot.rowSpan + x);
      pixels.push_back(uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]);  // A, R, G, B
    }
  }
  return pixels;
}

}  // namespace x11test
