#include "tools/host/HostParentWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tools/host/HostError.h"

namespace host {
namespace {

Display* dpy(void* display) { return static_cast<Display*>(display); }

}  // namespace

HostParentWindow::HostParentWindow(int width, int height, const char* title) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) throw HostError("cannot open the X display (is DISPLAY set?)");
  mDisplay = display;
  const int screen = DefaultScreen(display);
  mWindow = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0,
                                static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, mWindow, title);
  XSelectInput(display, mWindow, StructureNotifyMask | SubstructureNotifyMask);
  XMapWindow(display, mWindow);
  XSync(display, False);
}

HostParentWindow::~HostParentWindow() {
  destroy();
  XCloseDisplay(dpy(mDisplay));
}

void HostParentWindow::pump() {
  Display* display = dpy(mDisplay);
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
  }
}

void HostParentWindow::destroy() {
  if (!mWindow) return;
  XDestroyWindow(dpy(mDisplay), mWindow);
  XSync(dpy(mDisplay), False);
  mWindow = 0;
}

unsigned long HostParentWindow::firstChild(bool* mapped, int* width, int* height) {
  Display* display = dpy(mDisplay);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!mWindow || !XQueryTree(display, mWindow, &root, &parent, &children, &count)) return 0;
  const Window child = count > 0 ? children[0] : 0;
  if (children) XFree(children);
  if (child) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, child, &attributes)) {
      if (mapped) *mapped = attributes.map_state != IsUnmapped;
      if (width) *width = attributes.width;
      if (height) *height = attributes.height;
    }
  }
  return child;
}

}  // namespace host
