// The editor as the plug-in core sees it. The core owns this interface; the graphics engine
// implements it, so the core never depends on the engine.
//
// The plug-in owns the attached editor and destroys it with itself.
//
// Threads:
// - SetParameterFromPlug and GrayOutControl may arrive from any host thread (the audio thread
//   included) with the instance mutex held. They only store values and dirty flags and return
//   at once; they never draw, allocate or call the host.
// - PrepDraw is called once by AttachGraphics, with the mutex held, before anything is drawn.
// - OpenWindow, CloseWindow and Idle are called by the binding on a host thread (not always
//   the same one), OpenWindow and Idle with the instance mutex held. CloseWindow is called
//   without it, so an editor may wait there for a thread of its own that takes the mutex.
// - DeferHostNotification is called on whatever thread made the gesture, with the mutex held.
// - SetHostScale and WindowScale are called by the binding with the mutex held.
#pragma once

#include "HostNotification.h"

#include <cstdint>

// The editor's whole drawing, as a snapshot hands it out.
struct IPlugEditorPixels {
  int width = 0, height = 0, rowSpan = 0;
  const uint32_t* pixels = nullptr;  // A, R, G, B bytes per pixel; owned by the editor
};

class IPlugEditor {
 public:
  virtual ~IPlugEditor() = default;

  // Shows a parameter's value on the controls bound to it: a normalised value, or a real one.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalized) = 0;
  // Greys out (or restores) every control bound to the parameter.
  virtual void GrayOutControl(int paramIdx, bool gray) = 0;
  // Makes the back buffers; called once, after the plug-in pushed every parameter.
  virtual void PrepDraw() = 0;

  // Opens the editor view inside the host's parent window; false when it cannot.
  virtual bool OpenWindow(void* parentWindow) = 0;
  virtual void CloseWindow() = 0;
  // The open editor's own window (an X window id), or null while closed.
  virtual void* GetWindow() = 0;
  // Called by the binding (without the mutex) just before the instance is destroyed: the
  // editor closes and waits for every thread of its own, however long that takes.
  virtual void Shutdown() { CloseWindow(); }
  // The host's regular idle call; does nothing while the editor is closed. An editor that
  // queued host notifications delivers them here (through IPlugBase::SendHostNotification).
  virtual void Idle() {}
  // True when the editor took the notification to deliver it later on the host's thread (it
  // does so for gestures made on its own thread); false: the binding sends it at once.
  virtual bool DeferHostNotification(const HostNotification&) { return false; }
  // The host's user-interface scale (1.0 normal, 2.0 double); takes effect at the next open.
  virtual void SetHostScale(float) {}
  // How many screen pixels one editor pixel takes in each direction (1 or 2).
  virtual int WindowScale() { return 1; }

  // Draws the whole editor into its back buffer with the pointer resting at (hoverX, hoverY)
  // (nowhere when negative) and describes the pixels. False without a back buffer or while
  // a window is open. Called by the binding with the instance mutex held.
  virtual bool RenderSnapshot(int hoverX, int hoverY, IPlugEditorPixels* out) {
    (void)hoverX;
    (void)hoverY;
    (void)out;
    return false;
  }

  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
