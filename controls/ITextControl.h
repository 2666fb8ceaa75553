// Text controls: ITextControl draws a fixed or plug-set text; it is also what shows another
// control's value or parameter name (IControl::SetValDisplayControl). ICaptionControl shows
// its parameter's value, rebuilt at every drawing. Editor thread only.
#pragma once

#include <string>

#include "IControl.h"

class ITextControl : public IControl {
 public:
  ITextControl(IPlugBase* plug, IRECT rect, const IText& text, const char* str = "");

  // Takes str and marks the control dirty when it differs from the text shown.
  void SetTextFromPlug(const char* str);
  const char* GetTextString() const { return mStr.c_str(); }
  // Nothing for an empty text.
  bool Draw(IGraphics* graphics) override;

 protected:
  std::string mStr;
};

// The bound parameter's display string, with showParamLabel followed by a space and its label.
// A press with either button, or a double click, opens the value prompt (when enabled).
class ICaptionControl : public ITextControl {
 public:
  ICaptionControl(IPlugBase* plug, IRECT rect, int paramIdx, const IText& text,
                  bool showParamLabel = true);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseDblClick(int, int, IMouseMod*) override { PromptUserInput(); }
  bool Draw(IGraphics* graphics) override;

 protected:
  bool mShowParamLabel;
};
