// Lifecycle, layout and the binding between controls and plug-in parameters.
#include "IGraphics.h"

#include <mutex>

#include "BackgroundControl.h"
#include "LICE_Bitmap.h"
#include "core/IPlugBase.h"

IGraphics::IGraphics(IPlugBase* plug, int w, int h, int fps)
    : mPlug(plug), mWidth(w), mHeight(h), mFPS(fps > 0 ? fps : kDefaultFPS) {}

// Controls go from the last to the first, after the key catcher, as they were made.
IGraphics::~IGraphics() {
  mKeyCatcher.reset();
  while (!mControls.empty()) mControls.pop_back();
}

void IGraphics::PrepDraw() {
  // The back buffer's pixels are made at the first drawing: hosts create many instances whose
  // editors never open.
  mDrawBitmap = std::make_unique<LICE_SysBitmap>(0, 0);
  mTmpBitmap = std::make_unique<LICE_MemBitmap>(0, 0, 4);
}

bool IGraphics::PrepBackBuffer() {
  if (!mDrawBitmap) return false;
  if (mDrawBitmap->getWidth() != mWidth || mDrawBitmap->getHeight() != mHeight) {
    mDrawBitmap->resize(mWidth, mHeight);
  }
  return mDrawBitmap->getBits() != nullptr;
}

void IGraphics::Resize(int w, int h) {
  if (w <= 0 || h <= 0 || (w == mWidth && h == mHeight) || !mPlug) return;
  // The host threads walk the control list under the plug-in's mutex; rebuilding it under the
  // same mutex keeps them from seeing a half-built list.
  std::lock_guard lock(mPlug->GetMutex());
  ReleaseMouseCapture();
  mMouseOver = -1;
  mWidth = w;
  mHeight = h;
  while (!mControls.empty()) mControls.pop_back();
  mDrawBitmap.reset();
  mTmpBitmap.reset();
  PrepDraw();
  mPlug->ResizeGraphics(w, h);
}

// --- Layout ---------------------------------------------------------------------------------

void IGraphics::AttachBackground(int id, const char* name) {
  IBitmap bitmap = LoadIBitmap(id, name, 1);
  auto control = std::make_unique<BackgroundControl>(bitmap);
  control->SetGraphics(this);
  mControls.insert(mControls.begin(), std::move(control));
}

void IGraphics::AttachPanelBackground(const IColor* color) {
  auto control =
      std::make_unique<BackgroundControl>(IRECT(0, 0, mWidth, mHeight), color ? *color : IColor());
  control->SetGraphics(this);
  mControls.insert(mControls.begin(), std::move(control));
}

int IGraphics::AttachControl(IGraphicsControl* control) {
  if (!control) return -1;
  control->SetGraphics(this);
  mControls.emplace_back(control);
  return NControls() - 1;
}

void IGraphics::AttachKeyCatcher(IGraphicsControl* control) {
  if (control) control->SetGraphics(this);
  mKeyCatcher.reset(control);
}

void IGraphics::SetStrictDrawing(bool strict) {
  mStrict = strict;
  SetAllControlsDirty();
}

IGraphicsControl* IGraphics::GetControl(int idx) {
  return idx >= 0 && idx < NControls() ? mControls[static_cast<size_t>(idx)].get() : nullptr;
}

// --- Controls bound to one parameter --------------------------------------------------------

namespace {
IParam* ParamOf(IPlugBase* plug, int paramIdx) {
  return plug && paramIdx >= 0 && paramIdx < plug->NParams() ? plug->GetParam(paramIdx) : nullptr;
}
}  // namespace

void IGraphics::SetParameterFromPlug(int paramIdx, double value, bool normalized) {
  if (!normalized) {
    IParam* param = ParamOf(mPlug, paramIdx);
    if (!param) return;
    value = param->GetNormalized(value);
  }
  for (auto& control : mControls) {
    if (control->ParamIdx() == paramIdx) control->SetValueFromPlug(value);
    const int aux = control->AuxParamIdx(paramIdx);
    if (aux >= 0) control->SetAuxParamValueFromPlug(aux, value);
  }
}

void IGraphics::GrayOutControl(int paramIdx, bool gray) {
  for (auto& control : mControls) {
    if (control->ParamIdx() == paramIdx) control->GrayOut(gray);
  }
}

void IGraphics::HideControl(int paramIdx, bool hide) {
  for (auto& control : mControls) {
    if (control->ParamIdx() == paramIdx) control->Hide(hide);
  }
}

void IGraphics::ClampControl(int paramIdx, double lo, double hi, bool normalized) {
  if (!normalized) {
    IParam* param = ParamOf(mPlug, paramIdx);
    if (!param) return;
    lo = param->GetNormalized(lo);
    hi = param->GetNormalized(hi);
  }
  for (auto& control : mControls) {
    if (control->ParamIdx() == paramIdx) control->SetClamp(lo, hi);
  }
}

void IGraphics::SetControlsFromUserInput(int paramIdx, double value) {
  for (auto& control : mControls) {
    if (control->ParamIdx() == paramIdx) control->SetValueFromUserInput(value);
  }
}

void IGraphics::SetAllControlsDirty() {
  for (auto& control : mControls) control->SetDirty(false);
}

void IGraphics::SetControlFromPlug(int controlIdx, double normalizedValue) {
  if (IGraphicsControl* control = GetControl(controlIdx))
    control->SetValueFromPlug(normalizedValue);
}

void IGraphics::AssignParamNameToolTips() {
  for (auto& control : mControls) {
    if (IParam* param = ParamOf(mPlug, control->ParamIdx())) {
      control->SetTooltip(param->GetNameForHost());
    }
  }
}

void IGraphics::OnGUIIdle() {
  for (auto& control : mControls) control->OnGUIIdle();
}
