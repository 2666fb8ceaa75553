// Scoped catching of X protocol errors on our own connections.
//
// Xlib has one error handler per process, and its default one exits the process. The host and
// other plug-ins share that handler, so we never leave ours installed: a trap installs it when
// the first trap of the process opens and puts the previous handler back when the last one
// closes (a count under a process-wide mutex). While installed, errors on connections that a
// trap watches are recorded in that trap; errors on any other connection (the host's) go to
// the handler that was installed before ours.
//
// Every request our editor thread makes runs inside a trap, and the trap synchronises with the
// server before it closes, so an error caused by a window that vanished under us (a host that
// destroys its parent window first) is caught here rather than ending the host.
//
// Threads: any thread; each trap watches one connection, which only its thread uses.
#pragma once

#include <X11/Xlib.h>

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  // Synchronises with the server when requests were sent since the trap opened or last
  // synchronised (so their errors are still caught here), then closes the trap.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to answer everything sent so far; returns whether any error arrived
  // since the trap opened (or since the last Clear).
  bool Sync();
  bool HadError() const { return mErrorCode != 0; }
  int ErrorCode() const { return mErrorCode; }
  // The resource id of the last failed request.
  XID ErrorResource() const { return mErrorResource; }
  void Clear() { mErrorCode = 0; }

 private:
  static int Handler(Display* display, XErrorEvent* event);

  Display* mDisplay;
  X11ErrorTrap* mOuter = nullptr;  // a trap already open on the same connection (nesting)
  unsigned long mSyncedRequest;    // the next request number when last synchronised
  int mErrorCode = 0;
  XID mErrorResource = 0;
};
