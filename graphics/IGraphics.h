// The editor's graphics object as the plug-in sees it. The plug-in owns the attached object and
// destroys it with itself; every call below is made with the plug-in's mutex held.
#pragma once

class IGraphics {
 public:
  virtual ~IGraphics() = default;

  // Shows a parameter's value on the controls bound to it: a normalised value, or a real one.
  virtual void SetParameterFromPlug(int paramIdx, double value, bool normalized) = 0;
  // Greys out (or restores) every control bound to the parameter.
  virtual void GrayOutControl(int paramIdx, bool gray) = 0;
  // Called once, after the plug-in pushed every parameter, before the first drawing.
  virtual void PrepDraw() = 0;

  // Opens the editor view inside the host's parent window; false when it cannot.
  virtual bool OpenWindow(void* parentWindow) = 0;
  virtual void CloseWindow() = 0;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
