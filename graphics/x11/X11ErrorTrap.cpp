#include "X11ErrorTrap.h"

#include <mutex>
#include <vector>

namespace {

// The process-wide state of the traps, guarded by its mutex. The handler runs on the thread
// that reads the error, inside an Xlib call made under some trap.
struct TrapRegistry {
  std::mutex mutex;
  int openTraps = 0;
  XErrorHandler previous = nullptr;
  std::vector<X11ErrorTrap*> traps;  // innermost last for each connection
};

TrapRegistry& Registry() {
  static TrapRegistry registry;
  return registry;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display)
    : mDisplay(display), mSyncedRequest(NextRequest(display)) {
  TrapRegistry& reg = Registry();
  std::lock_guard lock(reg.mutex);
  for (X11ErrorTrap* trap : reg.traps) {
    if (trap->mDisplay == display) mOuter = trap;
  }
  reg.traps.push_back(this);
  if (reg.openTraps++ == 0) reg.previous = XSetErrorHandler(&X11ErrorTrap::Handler);
}

X11ErrorTrap::~X11ErrorTrap() {
  if (NextRequest(mDisplay) != mSyncedRequest) XSync(mDisplay, False);
  TrapRegistry& reg = Registry();
  std::lock_guard lock(reg.mutex);
  std::erase(reg.traps, this);
  if (--reg.openTraps == 0) {
    const XErrorHandler current = XSetErrorHandler(reg.previous);
    // Someone replaced ours while it was installed: leave theirs.
    if (current != &X11ErrorTrap::Handler) XSetErrorHandler(current);
    reg.previous = nullptr;
  }
  // An error that arrived for an inner trap is also an error of the outer one.
  if (mOuter && mErrorCode) {
    mOuter->mErrorCode = mErrorCode;
    mOuter->mErrorResource = mErrorResource;
  }
}

bool X11ErrorTrap::Sync() {
  XSync(mDisplay, False);
  mSyncedRequest = NextRequest(mDisplay);
  return HadError();
}

int X11ErrorTrap::Handler(Display* display, XErrorEvent* event) {
  XErrorHandler forward = nullptr;
  {
    TrapRegistry& reg = Registry();
    std::lock_guard lock(reg.mutex);
    for (auto it = reg.traps.rbegin(); it != reg.traps.rend(); ++it) {
      if ((*it)->mDisplay == display) {
        (*it)->mErrorCode = event->error_code;
        (*it)->mErrorResource = event->resourceid;
        return 0;
      }
    }
    forward = reg.previous;
  }
  return forward ? forward(display, event) : 0;
}
