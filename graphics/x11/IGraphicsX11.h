// IGraphicsX11: the editor engine shown inside a host's X11 window. The only code of the
// plug-in that includes Xlib lives next to this file.
//
// Threads. Each opening of the editor runs on a thread of its own (the editor thread), with
// its own connection to the X server (never the host's Display): it owns the window, waits on
// the connection with poll, redraws at the engine's frame rate from its own timer and handles
// every X event. So the editor works whether the host calls effEditIdle at 15 or 60 Hz, from
// the thread that opened it or another, or never. All engine calls (events, IsDirty, Draw,
// prompts) happen on that thread; hosts only reach the engine through SetParameterFromPlug and
// its kin, which store values and dirty flags.
//
// Host notifications. Begin-edit, automate and end-edit caused by gestures on the editor
// thread are queued (DeferHostNotification) instead of calling the host from our thread,
// because some hosts forbid calls off their GUI thread. The host's effEditIdle (Idle) delivers
// them in order on its own thread. When no effEditIdle has arrived for kHostSilenceMs the
// editor thread delivers them itself, so hosts that never idle still see every gesture. It
// does so without the instance mutex (unlike other host callbacks): a host may block in the
// callback until its GUI thread is free, and that thread may need the mutex to close us.
//
// Locks and closing. OpenWindow (host thread, instance mutex held) starts the thread and waits
// until the window exists, is mapped and the server has seen it (or kOpenTimeoutMs passed).
// CloseWindow is called WITHOUT the instance mutex (the dispatcher drops it for effEditClose):
// the editor thread takes that mutex to change parameters and to deliver notifications, and
// holding it while waiting for the thread could deadlock. CloseWindow asks the thread to stop
// and waits until it has finished, unless the thread is inside a host callback at that moment
// (a host may block there until its GUI thread, which is the one closing, is free): then it
// does not wait; the thread tears its window down by itself when the callback returns and is
// joined at the next OpenWindow if finished by then, else in Shutdown, which the binding calls
// before it destroys the instance. Notifications still queued at close are
// delivered by CloseWindow on the host's thread. The queue's own mutex is never held while
// calling anyone.
//
// Idle with no editor open does nothing. The host's scale (SetHostScale), TUNDRAX_SCALE or
// Xft.dpi choose a 1x or 2x presentation (x11scale); it is fixed while the window is open.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/HostNotification.h"
#include "graphics/IGraphics.h"
#include "graphics/ImageResources.h"

class X11EditorWindow;

class IGraphicsX11 : public IGraphics {
 public:
  static constexpr int kHostSilenceMs = 500;
  static constexpr int kOpenTimeoutMs = 5000;

  // Images come from the same resources as the headless class's.
  IGraphicsX11(IPlugBase* plug, int w, int h, int fps = 0,
               ImageResources images = ImageResources());
  ~IGraphicsX11() override;

  // --- IPlugEditor (host threads) ---------------------------------------------------------------

  // parentWindow is the host's X window id.
  bool OpenWindow(void* parentWindow) override;
  void CloseWindow() override;
  // Closes and joins every editor thread, retired ones included.
  void Shutdown() override;
  void Idle() override;
  bool DeferHostNotification(const HostNotification& notification) override;
  void SetHostScale(float scale) override;
  int WindowScale() override;

  // --- Platform (editor thread) -----------------------------------------------------------------

  bool DrawScreen(IRECT* r) override;
  void ForceEndUserEdit() override;
  // No dialogs of our own: returns 0 (nothing chosen).
  int ShowMessageBox(const char* text, const char* caption, int type) override;
  IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT* area) override;
  void PromptUserInput(IGraphicsControl* control, IText* text, IRECT* area, const char* initial,
                       IParam* param) override;
  // No file or colour dialogs: the file name is cleared and false returned.
  bool PromptForFile(std::string* file, int action, std::string* dir,
                     const char* extensions) override;
  bool PromptForColor(IColor* color) override;
  bool OpenURL(const char* url, const char* errMsgOnFailure = nullptr) override;
  // The X window id of the open editor, or null (any thread).
  void* GetWindow() override;
  bool GetTextFromClipboard(std::string* text) override;
  void UpdateTooltips() override {}
  LICE_IBitmap* OSLoadBitmap(int id, const char* name) override;
  const char* GetGUIAPI() override { return "X11"; }

  // --- For the editor thread's window -----------------------------------------------------------

  // Delivers queued notifications when the host has been silent too long.
  void DeliverIfHostIsSilent();
  void SetWindowId(unsigned long id);
  // Forgets the window id if it is still this one (a later opening may have its own).
  void ForgetWindowId(unsigned long id);

 private:
  using Clock = std::chrono::steady_clock;

  struct Opening;  // one editor thread and what it shares with the host's side
  void Deliver(std::vector<HostNotification> notifications);
  std::vector<HostNotification> TakeQueue();
  void JoinRetired();

  // The current opening (host threads; guarded by mLifeMutex).
  std::mutex mLifeMutex;
  std::shared_ptr<Opening> mOpening;
  std::vector<std::shared_ptr<Opening>> mRetired;

  // Gesture notifications waiting for the host's thread (guarded by mQueueMutex).
  std::mutex mQueueMutex;
  std::vector<HostNotification> mQueue;
  Clock::time_point mLastIdle;
  std::thread::id mEditorThread;

  ImageResources mImages;
  float mHostScale = 0.0f;
  int mScale = 0;  // 0 until first asked
  std::atomic<unsigned long> mWindowId{0};
};
