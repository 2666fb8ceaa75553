// One instance of the test plug-in (X11TestPlug.so, loaded through VSTPluginMain) with its
// editor opened the way a host opens it: a top-level parent window of the host's own,
// effEditGetRect, effEditOpen with the parent's id. Input goes through xdotool at editor
// coordinates; pixels come back with XGetImage on the tests' own connection.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/host/HostParentWindow.h"
#include "tools/host/PluginInstance.h"

namespace x11test {

std::shared_ptr<host::PluginLibrary> LoadTestPlug();

class EditorSession {
 public:
  // scale > 0 is sent as the host's scale before the editor opens.
  explicit EditorSession(std::shared_ptr<host::PluginLibrary> library = LoadTestPlug(),
                         float scale = 0.0f);
  ~EditorSession();

  host::PluginInstance& Plug() { return *mPlug; }
  host::HostParentWindow& Parent() { return *mParent; }
  // The width and height effEditGetRect gives.
  std::pair<int, int> RectSize();

  // Opens the editor (asserts that it opened) and, unless told otherwise, waits for the first
  // picture.
  void Open(bool waitForPicture = true);
  void Close();
  bool IsOpen() const { return mOpen; }
  unsigned long EditorWindow();
  int Scale() const { return mScale; }

  void Idle();
  // Waits up to timeoutMs for the condition, calling effEditIdle about 50 times a second when
  // idle is true. Returns the condition's last answer.
  bool WaitFor(const std::function<bool()>& condition, bool idle = true, int timeoutMs = 3000);

  // xdotool words run with the pointer first moved to editor point (x, y).
  void At(int x, int y, const std::string& words);
  void Click(int x, int y, int button = 1) { At(x, y, "click " + std::to_string(button)); }
  // Drags vertically from (x, y) by dy editor pixels, holding the key (e.g. "shift") if given.
  void Drag(int x, int y, int dy, const std::string& key = "");

  // The editor window's pixels as 0xRRGGBB, row by row (window size, i.e. scaled).
  std::vector<uint32_t> Pixels();

 private:
  std::unique_ptr<host::PluginInstance> mPlug;
  std::unique_ptr<host::HostParentWindow> mParent;
  int mScale = 1;
  bool mOpen = false;
};

// The plug-in's window-less snapshot of its editor, as 0xRRGGBB row by row (empty when the
// plug-in gives none).
std::vector<uint32_t> SnapshotPixels(host::PluginInstance& plug);

}  // namespace x11test
