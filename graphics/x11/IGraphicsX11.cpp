#include "IGraphicsX11.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdint>

#include "X11EditorWindow.h"
#include "X11Scale.h"
#include "core/IPlugBase.h"

extern char** environ;

// One editor thread and the state it shares with the host's side.
struct IGraphicsX11::Opening {
  enum class State { Starting, Open, Failed, Done };

  std::thread thread;
  std::mutex mutex;
  std::condition_variable changed;
  State state = State::Starting;
  bool inHostCall = false;
  std::unique_ptr<X11EditorWindow> window;

  void Set(State s) {
    std::lock_guard lock(mutex);
    state = s;
    changed.notify_all();
  }
  bool Finished() {
    std::lock_guard lock(mutex);
    return state == State::Done;
  }
};

namespace {

// The window of the editor thread this code runs on; null on any other thread.
thread_local X11EditorWindow* tWindow = nullptr;

}  // namespace

IGraphicsX11::IGraphicsX11(IPlugBase* plug, int w, int h, int fps, ImageResources images)
    : IGraphics(plug, w, h, fps), mImages(std::move(images)) {}

IGraphicsX11::~IGraphicsX11() { Shutdown(); }

void IGraphicsX11::Shutdown() {
  CloseWindow();
  std::vector<std::shared_ptr<Opening>> retired;
  {
    std::lock_guard lock(mLifeMutex);
    retired.swap(mRetired);
  }
  for (auto& opening : retired) opening->thread.join();
}

// --- Opening and closing ------------------------------------------------------------------------

bool IGraphicsX11::OpenWindow(void* parentWindow) {
  const auto parent = static_cast<Window>(reinterpret_cast<uintptr_t>(parentWindow));
  if (!parent || !GetDrawBitmap()) return false;
  // Hosts do not always pair open and close: a second open replaces the first. We hold the
  // instance mutex here, so the old thread is not waited for; it tears down by itself.
  {
    std::lock_guard lock(mLifeMutex);
    if (mOpening) {
      mOpening->window->RequestStop();
      mRetired.push_back(std::move(mOpening));
    }
  }
  JoinRetired();

  auto opening = std::make_shared<Opening>();
  opening->window = std::make_unique<X11EditorWindow>(*this, parent, WindowScale());
  opening->thread = std::thread([this, opening] {
    {
      std::lock_guard lock(mQueueMutex);
      mEditorThread = std::this_thread::get_id();
    }
    tWindow = opening->window.get();
    const bool created = opening->window->Create();
    opening->Set(created ? Opening::State::Open : Opening::State::Failed);
    if (created) opening->window->Run();
    tWindow = nullptr;
    {
      std::lock_guard lock(mQueueMutex);
      if (mEditorThread == std::this_thread::get_id()) mEditorThread = {};
    }
    opening->Set(Opening::State::Done);
  });

  bool open;
  {
    std::unique_lock lock(opening->mutex);
    opening->changed.wait_for(lock, std::chrono::milliseconds(kOpenTimeoutMs),
                              [&] { return opening->state != Opening::State::Starting; });
    open = opening->state == Opening::State::Open;
  }
  if (!open) {
    // Failed, or still not there after the timeout: give up on this opening.
    opening->window->RequestStop();
    std::lock_guard lock(mLifeMutex);
    mRetired.push_back(std::move(opening));
    return false;
  }
  std::lock_guard lock(mLifeMutex);
  mOpening = std::move(opening);
  return true;
}

void IGraphicsX11::CloseWindow() {
  std::shared_ptr<Opening> opening;
  {
    std::lock_guard lock(mLifeMutex);
    opening = std::move(mOpening);
  }
  if (!opening) return;
  opening->window->RequestStop();
  bool finished;
  {
    // Wait for the thread, unless it is inside a host callback (see the header).
    std::unique_lock lock(opening->mutex);
    opening->changed.wait(
        lock, [&] { return opening->state == Opening::State::Done || opening->inHostCall; });
    finished = opening->state == Opening::State::Done;
  }
  if (finished) {
    opening->thread.join();
  } else {
    std::lock_guard lock(mLifeMutex);
    mRetired.push_back(std::move(opening));
  }
  mWindowId.store(0);
  std::vector<HostNotification> left = TakeQueue();
  if (!left.empty()) {
    std::lock_guard instance(mPlug->GetMutex());
    for (const HostNotification& n : left) mPlug->SendHostNotification(n);
  }
}

void IGraphicsX11::JoinRetired() {
  std::vector<std::shared_ptr<Opening>> finished;
  {
    std::lock_guard lock(mLifeMutex);
    std::erase_if(mRetired, [&](const std::shared_ptr<Opening>& opening) {
      if (!opening->Finished()) return false;
      finished.push_back(opening);
      return true;
    });
  }
  for (auto& opening : finished) opening->thread.join();
}

void* IGraphicsX11::GetWindow() {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(mWindowId.load()));
}

void IGraphicsX11::SetWindowId(unsigned long id) { mWindowId.store(id); }

void IGraphicsX11::ForgetWindowId(unsigned long id) { mWindowId.compare_exchange_strong(id, 0); }

// --- Host notifications -------------------------------------------------------------------------

bool IGraphicsX11::DeferHostNotification(const HostNotification& notification) {
  std::lock_guard lock(mQueueMutex);
  if (std::this_thread::get_id() != mEditorThread) return false;
  mQueue.push_back(notification);
  return true;
}

std::vector<HostNotification> IGraphicsX11::TakeQueue() {
  std::lock_guard lock(mQueueMutex);
  std::vector<HostNotification> taken;
  taken.swap(mQueue);
  return taken;
}

void IGraphicsX11::Idle() {
  {
    std::lock_guard lock(mLifeMutex);
    if (!mOpening) return;
  }
  std::vector<HostNotification> pending;
  {
    std::lock_guard lock(mQueueMutex);
    mLastIdle = Clock::now();
    pending.swap(mQueue);
  }
  // The dispatcher holds the instance mutex here, as for every host callback.
  for (const HostNotification& n : pending) mPlug->SendHostNotification(n);
}

void IGraphicsX11::DeliverIfHostIsSilent() {
  std::vector<HostNotification> pending;
  {
    std::lock_guard lock(mQueueMutex);
    if (mQueue.empty() || Clock::now() - mLastIdle < std::chrono::milliseconds(kHostSilenceMs)) {
      return;
    }
    pending.swap(mQueue);
  }
  std::shared_ptr<Opening> opening;
  {
    std::lock_guard lock(mLifeMutex);
    opening = mOpening;
  }
  // Closing does not wait for us while we are inside the host.
  if (opening) {
    std::lock_guard lock(opening->mutex);
    opening->inHostCall = true;
    opening->changed.notify_all();
  }
  // Without the instance mutex: a host may block in the callback until its GUI thread is
  // free, and that thread may be about to take the mutex to close the editor.
  for (const HostNotification& n : pending) mPlug->SendHostNotification(n);
  if (opening) {
    std::lock_guard lock(opening->mutex);
    opening->inHostCall = false;
  }
}

// --- Scale --------------------------------------------------------------------------------------

void IGraphicsX11::SetHostScale(float scale) {
  mHostScale = scale;
  mScale = 0;
}

int IGraphicsX11::WindowScale() {
  if (mScale == 0) mScale = x11scale::Detect(mHostScale);
  return mScale;
}

// --- Platform calls from the engine (editor thread) ---------------------------------------------

bool IGraphicsX11::DrawScreen(IRECT* r) { return tWindow && r && tWindow->Present(*r); }

void IGraphicsX11::ForceEndUserEdit() {
  if (tWindow) tWindow->EndTextEntry(true);
}

int IGraphicsX11::ShowMessageBox(const char*, const char*, int) { return 0; }

IPopupMenu* IGraphicsX11::CreateIPopupMenu(IPopupMenu* menu, IRECT* area) {
  if (!tWindow || !menu || !area) return nullptr;
  return tWindow->ShowMenu(menu, *area);
}

void IGraphicsX11::PromptUserInput(IGraphicsControl* control, IText* text, IRECT* area,
                                   const char* initial, IParam* param) {
  if (!tWindow || !control || !text || !area) return;
  tWindow->OpenTextEntry(control, text, *area, initial ? initial : "", param);
}

bool IGraphicsX11::PromptForFile(std::string* file, int, std::string*, const char*) {
  if (file) file->clear();
  return false;
}

bool IGraphicsX11::PromptForColor(IColor*) { return false; }

bool IGraphicsX11::OpenURL(const char* url, const char*) {
  if (!url || !*url) return false;
  char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(url), nullptr};
  pid_t pid;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool IGraphicsX11::GetTextFromClipboard(std::string* text) {
  if (text) text->clear();
  return tWindow && text && tWindow->ReadClipboard(text);
}

LICE_IBitmap* IGraphicsX11::OSLoadBitmap(int, const char* name) { return mImages.Load(name); }
