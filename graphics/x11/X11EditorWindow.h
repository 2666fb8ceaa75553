// One opening of the editor on X11: our own connection to the X server, the editor window made
// as a child of the host's parent window, the presentation of the back buffer, input, the
// popup menu and the value entry. It lives on the editor thread that IGraphicsX11 starts for
// each opening, and nothing else touches its connection.
//
// The window: a child of the parent at (0, 0), the editor's size times the scale, fixed-size
// hints (minimum = maximum) and _XEMBED_INFO {version 0, mapped}, mapped before Create()
// returns and the server synchronised, so a host looking for its parent's first child right
// after effEditOpen finds it mapped. Input is selected on our window only (StructureNotify
// among it, so the host destroying its parent reaches us as our window's DestroyNotify; after
// that no request names the window again).
//
// The loop (Run): poll on the connection and a wake-up pipe with a timeout to the next frame,
// every queued event handled first; a frame every 1/fps seconds: IsDirty → Draw → present the
// dirty rectangle (plus any exposed area). Every pass runs inside an X11ErrorTrap and ends
// synchronised with the server, so errors from a vanished parent never reach the host.
//
// Keyboard: the window takes input focus only while the value entry is open (and only when it
// is viewable), and gives it back to whoever had it when the entry closes. Keys the engine
// does not take, and all keys while no entry is open that it does not map, are sent on to the
// parent window, so host shortcuts keep working.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <memory>
#include <string>

#include "X11Input.h"
#include "graphics/IGraphicsStructs.h"

class IGraphicsX11;
class IGraphicsControl;
class IParam;
class IPopupMenu;
class X11Presenter;
class X11TextEntry;

class X11EditorWindow {
 public:
  X11EditorWindow(IGraphicsX11& graphics, Window parent, int scale);
  ~X11EditorWindow();
  X11EditorWindow(const X11EditorWindow&) = delete;
  X11EditorWindow& operator=(const X11EditorWindow&) = delete;

  // --- Editor thread ----------------------------------------------------------------------------

  // Connects, makes and maps the window, synchronises; false (and nothing left) on failure.
  bool Create();
  // Runs until RequestStop, then tears everything down (the window only if it still exists).
  void Run();

  // The engine's platform calls, made from inside Run.
  bool Present(IRECT r);
  IPopupMenu* ShowMenu(IPopupMenu* menu, IRECT area);
  void OpenTextEntry(IGraphicsControl* control, IText* text, IRECT area, const char* initial,
                     IParam* param);
  // Ends an open entry: commit runs SetFromStringAfterPrompt with the typed text.
  void EndTextEntry(bool commit);
  bool ReadClipboard(std::string* text);
  // Events of the editor window that arrive while the popup menu runs its loop.
  void HandleEventDuringMenu(XEvent& event);

  // One frame: dirty controls drawn and presented, exposed areas presented. Also called by
  // the popup menu's loop so meters keep moving while it is open.
  void Frame();
  // Waits for the connection or the wake-up pipe, at most timeoutMs; true when the connection
  // has something to read.
  bool WaitForInput(int timeoutMs);
  bool StopRequested() const { return mStop.load(std::memory_order_acquire); }

  Display* GetDisplay() { return mDisplay; }
  Window GetXWindow() const { return mWindow; }
  int Scale() const { return mScale; }

  // --- Any thread -------------------------------------------------------------------------------

  void RequestStop();

 private:
  void HandleEvent(XEvent& event);
  void HandleButtonPress(const XButtonEvent& event);
  void HandleButtonRelease(const XButtonEvent& event);
  void HandleMotion(const XMotionEvent& event);
  void HandleKey(XKeyEvent& event);
  void ForwardToParent(XKeyEvent event);
  void AddExposed(int x, int y, int w, int h);
  void Teardown();
  void TakeFocus();
  void ReturnFocus();
  int EditorX(int x) const { return x / mScale; }
  int EditorY(int y) const { return y / mScale; }

  IGraphicsX11& mGraphics;
  Window mParent;
  int mScale;
  Display* mDisplay = nullptr;
  Window mWindow = 0;
  bool mWindowGone = false;  // destroyed by the server (the parent went first)
  std::unique_ptr<X11Presenter> mPresenter;
  std::unique_ptr<X11TextEntry> mEntry;
  int mWakeRead = -1, mWakeWrite = -1;
  std::atomic<bool> mStop{false};
  IRECT mExposed;
  x11input::DoubleClickDetector mDoubleClick;
  unsigned mButtonsDown = 0;  // bit 1: left, bit 3: right
  int mLastX = 0, mLastY = 0;
  unsigned mForwardedKeys[8] = {};  // keycodes whose press went to the parent (bit set)
  Window mFocusBefore = 0;
  bool mHasFocus = false;
  Atom mClipboard = 0, mUtf8String = 0, mTargetProperty = 0;
};
