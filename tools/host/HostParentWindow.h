// A top-level X window that stands in for a host's editor frame: made on the display in
// DISPLAY over a connection of its own, mapped, and handed to plug-ins as the parent of their
// editor (its id as effEditOpen's ptr, its Display as value, as Ardour and Carla pass them).
// The only part of the host that uses Xlib; this header keeps Xlib's types out.
//
// Threads: one thread at a time.
#pragma once

#include <cstdint>

namespace host {

class HostParentWindow {
 public:
  // Throws HostError when there is no display.
  HostParentWindow(int width, int height, const char* title);
  ~HostParentWindow();
  HostParentWindow(const HostParentWindow&) = delete;
  HostParentWindow& operator=(const HostParentWindow&) = delete;

  unsigned long id() const { return mWindow; }
  void* display() const { return mDisplay; }
  // Handles whatever arrived for the window (it only needs to stay alive).
  void pump();
  // Destroys the window now, before the plug-in closes its editor (as some hosts do).
  void destroy();
  // The first child of the window and whether it is mapped; 0 when it has none.
  unsigned long firstChild(bool* mapped = nullptr, int* width = nullptr, int* height = nullptr);

 private:
  void* mDisplay = nullptr;  // Display*
  unsigned long mWindow = 0;
};

}  // namespace host
