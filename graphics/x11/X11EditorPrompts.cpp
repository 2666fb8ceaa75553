#include "X11EditorWindow.h"

#include <X11/Xatom.h>

#include <chrono>

#include "IGraphicsX11.h"
#include "X11ErrorTrap.h"
#include "X11PopupMenu.h"
#include "X11TextEntry.h"

namespace {

constexpr int kClipboardTimeoutMs = 500;

int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

// --- Keyboard focus -----------------------------------------------------------------------------

void X11EditorWindow::TakeFocus() {
  if (mWindowGone || mHasFocus) return;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(mDisplay, mWindow, &attributes) || attributes.map_state != IsViewable) {
    return;
  }
  int revert = 0;
  XGetInputFocus(mDisplay, &mFocusBefore, &revert);
  XSetInputFocus(mDisplay, mWindow, RevertToParent, CurrentTime);
  mHasFocus = true;
}

void X11EditorWindow::ReturnFocus() {
  if (!mHasFocus) return;
  mHasFocus = false;
  if (mWindowGone) return;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(mDisplay, &focus, &revert);
  if (focus != mWindow) return;  // someone else took it meanwhile
  // The window that had it before, unless that was none, the pointer root or ourselves.
  const Window to = mFocusBefore > PointerRoot && mFocusBefore != mWindow ? mFocusBefore : mParent;
  X11ErrorTrap trap(mDisplay);
  XSetInputFocus(mDisplay, to, RevertToParent, CurrentTime);
  if (trap.Sync() && to != mParent) XSetInputFocus(mDisplay, mParent, RevertToParent, CurrentTime);
}

// --- Value entry --------------------------------------------------------------------------------

void X11EditorWindow::OpenTextEntry(IGraphicsControl* control, IText* text, IRECT area,
                                    const char* initial, IParam* param) {
  if (mEntry || mWindowGone) return;
  mEntry = std::make_unique<X11TextEntry>(control, text, area, initial, param);
  TakeFocus();
  Present(area);
}

void X11EditorWindow::EndTextEntry(bool commit) {
  if (!mEntry) return;
  std::unique_ptr<X11TextEntry> entry = std::move(mEntry);
  ReturnFocus();
  if (commit) entry->Commit(mGraphics);
  // The entry covered the back buffer only on screen; show what lies beneath again.
  const IRECT& a = entry->Area();
  AddExposed(a.L * mScale, a.T * mScale, a.W() * mScale, a.H() * mScale);
}

// --- Popup menu ---------------------------------------------------------------------------------

IPopupMenu* X11EditorWindow::ShowMenu(IPopupMenu* menu, IRECT area) {
  if (mWindowGone || !menu) return nullptr;
  EndTextEntry(true);
  // The menu's top-left corner goes below the area's left edge.
  int rootX = 0, rootY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(mDisplay, mWindow, DefaultRootWindow(mDisplay), area.L * mScale,
                             area.B * mScale, &rootX, &rootY, &child)) {
    return nullptr;
  }
  return x11popup::Run(*this, menu, rootX, rootY);
}

void X11EditorWindow::HandleEventDuringMenu(XEvent& event) {
  if (event.xany.window != mWindow) return;
  switch (event.type) {
    case Expose:
    case DestroyNotify:
      HandleEvent(event);
      break;
    case ButtonRelease:
      // The release of the press that opened the menu: the press is over.
      mButtonsDown &= ~(1u << event.xbutton.button);
      break;
    default:
      break;
  }
}

// --- Clipboard ----------------------------------------------------------------------------------

bool X11EditorWindow::ReadClipboard(std::string* text) {
  text->clear();
  if (mWindowGone || XGetSelectionOwner(mDisplay, mClipboard) == None) return false;
  XDeleteProperty(mDisplay, mWindow, mTargetProperty);
  XConvertSelection(mDisplay, mClipboard, mUtf8String, mTargetProperty, mWindow, CurrentTime);
  XFlush(mDisplay);
  const int64_t deadline = NowMs() + kClipboardTimeoutMs;
  XEvent event;
  while (!XCheckTypedWindowEvent(mDisplay, mWindow, SelectionNotify, &event)) {
    const int64_t left = deadline - NowMs();
    if (left <= 0 || StopRequested()) return false;
    WaitForInput(static_cast<int>(left));
    XPending(mDisplay);  // reads what arrived into the queue
  }
  if (event.xselection.property == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(mDisplay, mWindow, mTargetProperty, 0, 1 << 16, True, AnyPropertyType,
                         &type, &format, &count, &after, &data) != Success) {
    return false;
  }
  if (data && format == 8) text->assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return !text->empty();
}
