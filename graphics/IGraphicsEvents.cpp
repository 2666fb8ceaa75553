// Hit testing and the routing of mouse, wheel and key events, with mouse capture, hover and
// the begin/end-edit bracketing of a gesture on a bound control.
#include "IGraphics.h"
#include "core/IPlugBase.h"

int IGraphics::GetMouseControlIdx(int x, int y, bool mouseOver) {
  if (mMouseCapture >= 0) return mMouseCapture;
  for (int i = NControls() - 1; i >= 0; --i) {
    IGraphicsControl* control = mControls[static_cast<size_t>(i)].get();
    if (control->IsHidden()) continue;
    if (control->IsGrayed() && !(mouseOver && control->GetMOWhenGrayed())) continue;
    if (control->IsHit(x, y)) return i;
  }
  return -1;
}

void IGraphics::BeginGesture(int controlIdx) {
  IGraphicsControl* control = GetControl(controlIdx);
  const int paramIdx = control ? control->ParamIdx() : -1;
  if (paramIdx < 0 || !mPlug) return;
  mGestureParam = paramIdx;
  mPlug->BeginInformHostOfParamChange(paramIdx);
}

void IGraphics::EndGesture() {
  const int paramIdx = mGestureParam;
  mGestureParam = -1;
  if (paramIdx >= 0 && mPlug) mPlug->EndInformHostOfParamChange(paramIdx);
}

void IGraphics::ReleaseMouseCapture() {
  mMouseCapture = -1;
  mMouseX = mMouseY = -1;
  EndGesture();
}

void IGraphics::OnMouseDown(int x, int y, IMouseMod* mod) {
  ReleaseMouseCapture();
  const int c = GetMouseControlIdx(x, y);
  if (c < 0) return;
  mMouseCapture = c;
  mMouseX = x;
  mMouseY = y;
  BeginGesture(c);
  mControls[static_cast<size_t>(c)]->OnMouseDown(x, y, mod);
}

void IGraphics::OnMouseUp(int x, int y, IMouseMod* mod) {
  const int c = GetMouseControlIdx(x, y);
  const int paramIdx = mGestureParam;
  // The control hears the release before the host hears that the gesture ended.
  mGestureParam = -1;
  ReleaseMouseCapture();
  if (IGraphicsControl* control = GetControl(c)) control->OnMouseUp(x, y, mod);
  mGestureParam = paramIdx;
  EndGesture();
}

void IGraphics::OnMouseDrag(int x, int y, IMouseMod* mod) {
  IGraphicsControl* control = GetControl(mMouseCapture);
  if (!control) return;
  const int dX = x - mMouseX, dY = y - mMouseY;
  if (dX == 0 && dY == 0) return;
  mMouseX = x;
  mMouseY = y;
  control->OnMouseDrag(x, y, dX, dY, mod);
}

bool IGraphics::OnMouseDblClick(int x, int y, IMouseMod* mod) {
  ReleaseMouseCapture();
  const int c = GetMouseControlIdx(x, y);
  IGraphicsControl* control = GetControl(c);
  if (!control) return false;
  if (control->MouseDblAsSingleClick()) {
    // A press like any other, so the release that follows closes a gesture that was opened.
    mMouseCapture = c;
    mMouseX = x;
    mMouseY = y;
    BeginGesture(c);
    control->OnMouseDown(x, y, mod);
    return true;
  }
  control->OnMouseDblClick(x, y, mod);
  return false;
}

bool IGraphics::OnMouseOver(int x, int y, IMouseMod* mod) {
  if (!mHandleMouseOver) return false;
  const int c = GetMouseControlIdx(x, y, true);
  if (c >= 0) {
    mMouseX = x;
    mMouseY = y;
    mControls[static_cast<size_t>(c)]->OnMouseOver(x, y, mod);
    if (IGraphicsControl* old = (mMouseOver != c ? GetControl(mMouseOver) : nullptr)) {
      old->OnMouseOut();
    }
    mMouseOver = c;
  }
  return true;
}

void IGraphics::OnMouseOut() {
  for (auto& control : mControls) control->OnMouseOut();
  mMouseOver = -1;
}

void IGraphics::OnMouseWheel(int x, int y, IMouseMod* mod, int d) {
  if (IGraphicsControl* control = GetControl(GetMouseControlIdx(x, y))) {
    control->OnMouseWheel(x, y, mod, d);
  }
}

bool IGraphics::OnKeyDown(int x, int y, int key) {
  const int c = GetMouseControlIdx(x, y);
  if (c > 0) return mControls[static_cast<size_t>(c)]->OnKeyDown(x, y, key);
  return mKeyCatcher ? mKeyCatcher->OnKeyDown(x, y, key) : false;
}

int IGraphics::GetParamIdxForPTAutomation(int x, int y) {
  const int c = GetMouseControlIdx(x, y);
  mLastClickedParam = c > 0 ? mControls[static_cast<size_t>(c)]->ParamIdx() : -1;
  return mLastClickedParam;
}

int IGraphics::GetLastClickedParamForPTAutomation() {
  const int paramIdx = mLastClickedParam;
  mLastClickedParam = -1;
  return paramIdx;
}
