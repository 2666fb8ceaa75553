// What the editor engine asks of every control it owns. The control family (IControl and
// everything derived from it) implements this; the engine knows controls only through it, so
// the graphics library does not depend on the controls library.
//
// Threads: events, drawing, IsDirty/SetClean and prompting run on the editor thread.
// SetValueFromPlug, SetAuxParamValueFromPlug, Hide, GrayOut and SetClamp may arrive from any
// host thread (with the plug-in's mutex held) while the editor thread draws: implementations
// keep every value those calls write in atomics and only store a value and a dirty flag.
#pragma once

#include "IGraphicsStructs.h"

class IGraphics;

class IGraphicsControl {
 public:
  virtual ~IGraphicsControl() = default;

  // Called once by IGraphics::AttachControl: the editor the control draws into and prompts
  // through.
  virtual void SetGraphics(IGraphics*) {}

  // Input; an element that only draws (a background) ignores all of it.
  virtual void OnMouseDown(int, int, IMouseMod*) {}
  virtual void OnMouseUp(int, int, IMouseMod*) {}
  virtual void OnMouseDrag(int, int, int, int, IMouseMod*) {}
  virtual void OnMouseDblClick(int, int, IMouseMod*) {}
  virtual void OnMouseWheel(int, int, IMouseMod*, int) {}
  virtual bool OnKeyDown(int, int, int) { return false; }
  virtual void OnMouseOver(int, int, IMouseMod*) {}
  virtual void OnMouseOut() {}

  // Draws into the editor's back buffer, clipped to the current drawing rectangle.
  virtual bool Draw(IGraphics* graphics) = 0;

  // A normalised value coming from the plug-in: stored, marked dirty, never pushed back.
  virtual void SetValueFromPlug(double value) = 0;
  // A normalised value chosen in a prompt: stored and pushed to the plug-in.
  virtual void SetValueFromUserInput(double value) = 0;
  virtual void SetAuxParamValueFromPlug(int auxParamIdx, double value) = 0;
  // Position of the auxiliary entry bound to paramIdx, or -1.
  virtual int AuxParamIdx(int paramIdx) const = 0;
  virtual void Hide(bool hide) = 0;
  virtual void GrayOut(bool gray) = 0;
  // Normalised bounds the value is kept within.
  virtual void SetClamp(double lo, double hi) = 0;

  virtual bool IsHit(int x, int y) = 0;
  virtual bool IsDirty() = 0;
  virtual void SetDirty(bool pushParamToPlug) = 0;
  // After drawing: clean, unless the control asked for one more pass while it was drawn.
  virtual void SetClean() = 0;
  virtual void OnGUIIdle() = 0;

  virtual int ParamIdx() const = 0;
  virtual IRECT GetRECT() const = 0;
  virtual IRECT GetTargetRECT() const = 0;
  virtual double GetValue() const = 0;
  virtual bool IsHidden() const = 0;
  virtual bool IsGrayed() const = 0;
  virtual bool GetMOWhenGrayed() const = 0;
  virtual bool MouseDblAsSingleClick() const = 0;
  // The text style a text entry for this control uses, and how many characters it accepts.
  virtual IText* GetText() = 0;
  virtual int GetTextEntryLength() const = 0;
  virtual const char* GetTooltip() const = 0;
  virtual void SetTooltip(const char* tooltip) = 0;
};
