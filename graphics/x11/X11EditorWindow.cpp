#include "X11EditorWindow.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "IGraphicsX11.h"
#include "LICE_Bitmap.h"
#include "X11ErrorTrap.h"
#include "X11Presenter.h"
#include "X11TextEntry.h"
#include "X11UiText.h"

namespace {

constexpr long kEventMask = ExposureMask | StructureNotifyMask | ButtonPressMask |
                            ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                            LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

IRECT UnionOf(const IRECT& a, const IRECT& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return IRECT(std::min(a.L, b.L), std::min(a.T, b.T), std::max(a.R, b.R), std::max(a.B, b.B));
}

}  // namespace

X11EditorWindow::X11EditorWindow(IGraphicsX11& graphics, Window parent, int scale)
    : mGraphics(graphics), mParent(parent), mScale(scale) {}

X11EditorWindow::~X11EditorWindow() {
  Teardown();
  if (mWakeRead >= 0) close(mWakeRead);
  if (mWakeWrite >= 0) close(mWakeWrite);
}

void X11EditorWindow::RequestStop() {
  mStop.store(true, std::memory_order_release);
  if (mWakeWrite >= 0) {
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(mWakeWrite, &byte, 1);
  }
}

// --- Creation and teardown ----------------------------------------------------------------------

bool X11EditorWindow::Create() {
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return false;
  mWakeRead = fds[0];
  mWakeWrite = fds[1];

  mDisplay = XOpenDisplay(nullptr);
  if (!mDisplay) return false;
  const int width = mGraphics.Width() * mScale, height = mGraphics.Height() * mScale;
  {
    X11ErrorTrap trap(mDisplay);
    XWindowAttributes parentAttributes;
    if (!XGetWindowAttributes(mDisplay, mParent, &parentAttributes) || trap.Sync()) {
      Teardown();
      return false;
    }
    // Our own visual and colormap: the parent may use another depth (a 32-bit ARGB window).
    const int screen = XScreenNumberOfScreen(parentAttributes.screen);
    Visual* visual = DefaultVisual(mDisplay, screen);
    const int depth = DefaultDepth(mDisplay, screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = DefaultColormap(mDisplay, screen);
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    attributes.event_mask = kEventMask;
    mWindow = XCreateWindow(mDisplay, mParent, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, depth, InputOutput, visual,
                            CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
    if (trap.Sync()) {
      mWindow = 0;
      Teardown();
      return false;
    }

    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
      hints->flags = PMinSize | PMaxSize | PBaseSize;
      hints->min_width = hints->max_width = hints->base_width = width;
      hints->min_height = hints->max_height = hints->base_height = height;
      XSetWMNormalHints(mDisplay, mWindow, hints);
      XFree(hints);
    }
    const Atom xembedInfo = XInternAtom(mDisplay, "_XEMBED_INFO", False);
    const long xembed[2] = {0, 1};  // version 0, XEMBED_MAPPED
    XChangeProperty(mDisplay, mWindow, xembedInfo, xembedInfo, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(xembed), 2);
    mClipboard = XInternAtom(mDisplay, "CLIPBOARD", False);
    mUtf8String = XInternAtom(mDisplay, "UTF8_STRING", False);
    mTargetProperty = XInternAtom(mDisplay, "TUNDRAX_SELECTION", False);

    mPresenter = std::make_unique<X11Presenter>(mDisplay, mWindow, visual, depth, width, height,
                                                mScale, getenv("TUNDRAX_NO_SHM") == nullptr);
    XMapWindow(mDisplay, mWindow);
    if (trap.Sync() || !mPresenter->Valid()) {
      Teardown();
      return false;
    }
  }
  mGraphics.SetWindowId(mWindow);
  mExposed = IRECT(0, 0, mGraphics.Width(), mGraphics.Height());
  return true;
}

void X11EditorWindow::Teardown() {
  if (!mDisplay) return;
  {
    X11ErrorTrap trap(mDisplay);
    if (mEntry) EndTextEntry(false);
    mPresenter.reset();
    if (mWindow && !mWindowGone) XDestroyWindow(mDisplay, mWindow);
    mWindow = 0;
  }
  XCloseDisplay(mDisplay);
  mDisplay = nullptr;
}

// --- The loop -----------------------------------------------------------------------------------

bool X11EditorWindow::WaitForInput(int timeoutMs) {
  if (XQLength(mDisplay) > 0) return true;  // events already read must not wait behind the poll
  pollfd fds[2] = {{ConnectionNumber(mDisplay), POLLIN, 0}, {mWakeRead, POLLIN, 0}};
  poll(fds, 2, std::max(timeoutMs, 0));
  if (fds[1].revents & POLLIN) {
    char buffer[64];
    while (read(mWakeRead, buffer, sizeof buffer) > 0) {
    }
  }
  return fds[0].revents != 0;
}

void X11EditorWindow::Run() {
  const int64_t period = 1000 / std::max(mGraphics.FPS(), 1);
  int64_t nextFrame = NowMs();
  bool input = true;
  while (!StopRequested()) {
    {
      X11ErrorTrap trap(mDisplay);
      const unsigned long before = NextRequest(mDisplay);
      // A timer tick with nothing on the connection reads nothing.
      while (input && !StopRequested() && XPending(mDisplay) > 0) {
        XEvent event;
        XNextEvent(mDisplay, &event);
        HandleEvent(event);
      }
      const int64_t now = NowMs();
      if (now >= nextFrame && !StopRequested()) {
        Frame();
        nextFrame = std::max(nextFrame + period, now + 1);
      }
      // Requests on a window that is gone mean the server destroyed it with its parent. A pass
      // that sent nothing needs no round trip.
      if (NextRequest(mDisplay) != before && trap.Sync() && trap.ErrorResource() == mWindow) {
        mWindowGone = true;
      }
    }
    mGraphics.DeliverIfHostIsSilent();
    input = !StopRequested() && WaitForInput(static_cast<int>(nextFrame - NowMs()));
  }
  Teardown();
}

void X11EditorWindow::Frame() {
  if (mWindowGone) return;
  std::lock_guard lock(UiDrawLock());
  IRECT dirty;
  if (mGraphics.IsDirty(&dirty)) {
    // The engine presents what it drew (DrawScreen); exposed parts are presented below.
    mGraphics.Draw(&dirty);
  }
  if (!mExposed.Empty()) {
    const IRECT exposed = mExposed;
    mExposed = IRECT();
    Present(exposed);
  }
}

bool X11EditorWindow::Present(IRECT r) {
  if (!mPresenter || mWindowGone) return false;
  std::lock_guard lock(UiDrawLock());
  mPresenter->Convert(mGraphics.GetDrawBitmap(), r);
  if (mEntry) mEntry->Overlay(*mPresenter, r);
  mPresenter->Send(r);
  return true;
}

void X11EditorWindow::AddExposed(int x, int y, int w, int h) {
  const IRECT r(x / mScale, y / mScale, (x + w + mScale - 1) / mScale,
                (y + h + mScale - 1) / mScale);
  mExposed = UnionOf(mExposed, r);
}

// --- Events -------------------------------------------------------------------------------------

void X11EditorWindow::HandleEvent(XEvent& event) {
  if (event.xany.window != mWindow) return;
  switch (event.type) {
    case Expose:
      AddExposed(event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height);
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == mWindow) {
        mWindowGone = true;
        mGraphics.ForgetWindowId(mWindow);
      }
      break;
    case ButtonPress:
      HandleButtonPress(event.xbutton);
      break;
    case ButtonRelease:
      HandleButtonRelease(event.xbutton);
      break;
    case MotionNotify:
      // Only the latest of moves that follow each other directly matters.
      while (XEventsQueued(mDisplay, QueuedAlready) > 0) {
        XEvent next;
        XPeekEvent(mDisplay, &next);
        if (next.type != MotionNotify || next.xany.window != mWindow) break;
        XNextEvent(mDisplay, &event);
      }
      HandleMotion(event.xmotion);
      break;
    case EnterNotify: {
      mLastX = EditorX(event.xcrossing.x);
      mLastY = EditorY(event.xcrossing.y);
      IMouseMod mod = x11input::MouseMod(event.xcrossing.state, false);
      mGraphics.OnMouseOver(mLastX, mLastY, &mod);
      break;
    }
    case LeaveNotify:
      if (event.xcrossing.mode == NotifyNormal && !mButtonsDown) mGraphics.OnMouseOut();
      break;
    case KeyPress:
    case KeyRelease:
      HandleKey(event.xkey);
      break;
    case FocusOut:
      // Focus going elsewhere ends the entry as a click elsewhere would: keeping the text.
      // Pointer details only tell where the pointer is while focus moves about.
      if (mEntry && event.xfocus.mode == NotifyNormal &&
          event.xfocus.detail <= NotifyNonlinearVirtual && event.xfocus.detail != NotifyInferior) {
        mHasFocus = false;
        EndTextEntry(true);
      }
      break;
    default:
      break;
  }
}

void X11EditorWindow::HandleButtonPress(const XButtonEvent& event) {
  const int x = EditorX(event.x), y = EditorY(event.y);
  mLastX = x;
  mLastY = y;
  if (mEntry &&
      (event.button == Button4 || event.button == Button5 || !mEntry->Area().Contains(x, y))) {
    EndTextEntry(true);
  } else if (mEntry) {
    return;  // inside the entry
  }
  if (event.button == Button4 || event.button == Button5) {
    IMouseMod mod = x11input::MouseMod(event.state, false);
    mGraphics.OnMouseWheel(x, y, &mod, event.button == Button4 ? 1 : -1);
    return;
  }
  if (event.button != Button1 && event.button != Button3) return;
  const bool right = event.button == Button3;
  const unsigned bit = 1u << event.button;
  mButtonsDown |= bit;
  IMouseMod mod = x11input::MouseMod(event.state, right);
  if (!right && mDoubleClick.Press(static_cast<uint32_t>(event.time), x, y)) {
    mGraphics.OnMouseDblClick(x, y, &mod);
  } else {
    if (right) mDoubleClick.Reset();
    mGraphics.OnMouseDown(x, y, &mod);
  }
  // A popup menu opened by the press may have taken the button's release.
  if (!(mButtonsDown & bit)) mGraphics.OnMouseUp(mLastX, mLastY, &mod);
}

void X11EditorWindow::HandleButtonRelease(const XButtonEvent& event) {
  const unsigned bit = 1u << event.button;
  if (!(mButtonsDown & bit)) return;
  mButtonsDown &= ~bit;
  mLastX = EditorX(event.x);
  mLastY = EditorY(event.y);
  IMouseMod mod = x11input::MouseMod(event.state, event.button == Button3);
  mGraphics.OnMouseUp(mLastX, mLastY, &mod);
}

void X11EditorWindow::HandleMotion(const XMotionEvent& event) {
  mLastX = EditorX(event.x);
  mLastY = EditorY(event.y);
  const bool right = (mButtonsDown & (1u << Button3)) && !(mButtonsDown & (1u << Button1));
  IMouseMod mod = x11input::MouseMod(event.state, right);
  if (mButtonsDown) {
    mDoubleClick.Reset();  // a press after a drag starts a new pair
    if (!mEntry) mGraphics.OnMouseDrag(mLastX, mLastY, &mod);
  } else {
    mGraphics.OnMouseOver(mLastX, mLastY, &mod);
  }
}

void X11EditorWindow::HandleKey(XKeyEvent& event) {
  const unsigned code = event.keycode & 255;
  const unsigned word = code / 32, bit = 1u << (code % 32);
  if (event.type == KeyRelease) {
    if (mForwardedKeys[word] & bit) {
      mForwardedKeys[word] &= ~bit;
      ForwardToParent(event);
    }
    return;
  }
  if (mEntry) {
    switch (mEntry->HandleKey(event, *this)) {
      case X11TextEntry::KeyResult::Commit:
        EndTextEntry(true);
        break;
      case X11TextEntry::KeyResult::Cancel:
        EndTextEntry(false);
        break;
      case X11TextEntry::KeyResult::Changed:
        Present(mEntry->Area());
        break;
      case X11TextEntry::KeyResult::Ignored:
        break;
    }
    return;
  }
  const int key = x11input::EngineKeyCode(XLookupKeysym(&event, 0));
  if (key >= 0 && mGraphics.OnKeyDown(mLastX, mLastY, key)) return;
  mForwardedKeys[word] |= bit;
  ForwardToParent(event);
}

void X11EditorWindow::ForwardToParent(XKeyEvent event) {
  if (mWindowGone) return;
  event.window = mParent;
  event.subwindow = None;
  event.send_event = True;
  XSendEvent(mDisplay, mParent, True, event.type == KeyPress ? KeyPressMask : KeyReleaseMask,
             reinterpret_cast<XEvent*>(&event));
}
