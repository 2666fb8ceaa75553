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
// - OpenWindow, CloseWindow and Idle are called by the binding on the host's editor thread.
#pragma once

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
  // The host's regular idle call while the editor is open; nothing to do by default.
  virtual void Idle() {}

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
