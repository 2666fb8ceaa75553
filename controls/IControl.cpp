#include "IControl.h"

#include <mutex>

#include "ITextControl.h"
#include "core/IParam.h"
#include "core/IPlugBase.h"

IControl::IControl(IPlugBase* plug, IRECT rect, int paramIdx, int blendMethod)
    : mPlug(plug), mRECT(rect), mTargetRECT(rect), mParamIdx(paramIdx), mBlend(blendMethod) {}

void IControl::OnMouseDown(int, int, IMouseMod* mod) {
  if (mod && mod->R) PromptUserInput();
}

void IControl::OnMouseDblClick(int, int, IMouseMod*) {
  const double def = GetDefaultValue();
  if (def < 0.0) return;
  mValue.store(def, std::memory_order_relaxed);
  SetDirty(true);
}

void IControl::SetValueFromPlug(double value) {
  if (GetDefaultValue() < 0.0) {
    mDefaultValue.store(value, std::memory_order_relaxed);
    // The first value is drawn too, even when the control was drawn before it arrived.
    if (GetValue() == value) {
      SetDirty(false);
      return;
    }
  }
  if (GetValue() != value) {
    mValue.store(value, std::memory_order_relaxed);
    SetDirty(false);
    mRedraw.store(true, std::memory_order_relaxed);
  }
}

void IControl::SetValueFromUserInput(double value) {
  if (GetValue() != value) {
    mValue.store(value, std::memory_order_relaxed);
    SetDirty(true);
    mRedraw.store(true, std::memory_order_relaxed);
  }
}

void IControl::SetAuxParamValueFromPlug(int auxParamIdx, double value) {
  if (auxParamIdx < 0 || auxParamIdx >= static_cast<int>(mAuxParams.size())) return;
  AuxParam& aux = mAuxParams[auxParamIdx];
  if (aux.mValue.load(std::memory_order_relaxed) != value) {
    aux.mValue.store(value, std::memory_order_relaxed);
    SetDirty(false);
    mRedraw.store(true, std::memory_order_relaxed);
  }
}

int IControl::AuxParamIdx(int paramIdx) const {
  for (size_t i = 0; i < mAuxParams.size(); ++i) {
    if (mAuxParams[i].mParamIdx == paramIdx) return static_cast<int>(i);
  }
  return -1;
}

void IControl::Hide(bool hide) {
  mHide.store(hide, std::memory_order_relaxed);
  mRedraw.store(true, std::memory_order_relaxed);
  SetDirty(false);
}

void IControl::GrayOut(bool gray) {
  mGrayed.store(gray, std::memory_order_relaxed);
  SetDirty(false);
}

void IControl::SetClamp(double lo, double hi) {
  mClampLo.store(lo, std::memory_order_relaxed);
  mClampHi.store(hi, std::memory_order_relaxed);
}

bool IControl::IsHit(int x, int y) { return mTargetRECT.Contains(x, y); }

void IControl::SetDirty(bool pushParamToPlug) {
  const double lo = mClampLo.load(std::memory_order_relaxed);
  const double hi = mClampHi.load(std::memory_order_relaxed);
  double v = GetValue();
  // A value that is not a number (a degenerate geometry, say) never reaches the plug-in.
  if (v != v || lo > v) {
    v = lo;
  } else if (v > hi) {
    v = hi;
  }
  mValue.store(v, std::memory_order_relaxed);
  mDirty.store(true, std::memory_order_relaxed);
  if (!pushParamToPlug || !mPlug || mParamIdx < 0) return;

  mPlug->SetParameterFromGUI(mParamIdx, v);
  if (mValDisplayControl) {
    std::string text = ParamDisplayText();
    text += ' ';
    // Labels and names never change after construction: read without the mutex.
    if (const IParam* param = GetParam()) {
      text += param->GetLabelForHost(param->GetNonNormalized(GetValue()));
    }
    mValDisplayControl->SetTextFromPlug(text.c_str());
  }
  if (mNameDisplayControl) {
    if (const IParam* param = GetParam()) {
      mNameDisplayControl->SetTextFromPlug(param->GetNameForHost());
    }
  }
}

void IControl::SetClean() {
  mDirty.store(mRedraw.load(std::memory_order_relaxed), std::memory_order_relaxed);
  mRedraw.store(false, std::memory_order_relaxed);
}

void IControl::PromptUserInput() {
  if (mDisablePrompt || !mGraphics) return;
  IParam* param = GetParam();
  if (!param) return;
  if (param->GetNDisplayTexts() > 0) {
    IRECT area = mRECT;
    mGraphics->PromptUserInput(this, param, &area);
  } else {
    const int cX = static_cast<int>(static_cast<float>(mRECT.L + mRECT.R) * 0.5f);
    const int cY = static_cast<int>(static_cast<float>(mRECT.T + mRECT.B) * 0.5f);
    IRECT box(cX - 20, cY - 8, cX + 20, cY + 8);
    mGraphics->PromptUserInput(this, param, &box);
  }
  mRedraw.store(true, std::memory_order_relaxed);
}

IChannelBlend IControl::GetBlend() const {
  IChannelBlend blend = mBlend;
  if (IsGrayed()) blend.mWeight = 0.25f;
  return blend;
}

IParam* IControl::GetParam() const {
  if (!mPlug || mParamIdx < 0 || mParamIdx >= mPlug->NParams()) return nullptr;
  return mPlug->GetParam(mParamIdx);
}

std::string IControl::ParamDisplayText(bool negate) const {
  // From the value this control holds (the plug-in's last push, or the user's edit), not the
  // parameter's own value: host threads write that under the plug-in's mutex, and drawing must
  // never wait for the mutex the audio thread holds. A parameter's range, curve and texts never
  // change after construction, so reading them here is safe.
  const IParam* param = GetParam();
  if (!param) return {};
  const double value = GetValue();
  char display[IParam::kDisplayBufSize] = {};
  param->GetDisplayForHost(value, true, display, true);
  std::string text;
  if (negate && param->GetNonNormalized(value) != 0.0) text = "-";
  text += display;
  if (text.size() > static_cast<size_t>(IParam::kMaxTextLen)) text.resize(IParam::kMaxTextLen);
  return text;
}
