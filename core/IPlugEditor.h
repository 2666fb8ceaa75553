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

  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
