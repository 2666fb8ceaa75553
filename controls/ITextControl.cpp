#include "ITextControl.h"

#include <mutex>

#include "core/IParam.h"
#include "core/IPlugBase.h"

ITextControl::ITextControl(IPlugBase* plug, IRECT rect, const IText& text, const char* str)
    : IControl(plug, rect), mStr(str ? str : "") {
  mText = text;
}

void ITextControl::SetTextFromPlug(const char* str) {
  if (!str) str = "";
  if (mStr == str) return;
  SetDirty(false);
  mStr = str;
}

bool ITextControl::Draw(IGraphics* graphics) {
  if (mStr.empty()) return true;
  IRECT r = mRECT;
  return graphics->DrawIText(&mText, mStr.c_str(), &r);
}

ICaptionControl::ICaptionControl(IPlugBase* plug, IRECT rect, int paramIdx, const IText& text,
                                 bool showParamLabel)
    : ITextControl(plug, rect, text), mShowParamLabel(showParamLabel) {
  mParamIdx = paramIdx;
}

void ICaptionControl::OnMouseDown(int, int, IMouseMod* mod) {
  if (mod && (mod->L || mod->R)) PromptUserInput();
}

bool ICaptionControl::Draw(IGraphics* graphics) {
  mStr = ParamDisplayText();
  if (mShowParamLabel) {
    if (const IParam* param = GetParam()) {
      mStr += ' ';
      mStr += param->GetLabelForHost(param->GetNonNormalized(GetValue()));
    }
  }
  return ITextControl::Draw(graphics);
}
