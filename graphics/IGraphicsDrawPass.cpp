// Dirty collection and the drawing pass: strict (every visible control overlapping the paint
// area) or non-strict (each dirty control with whatever overlaps it).
#include "IGraphics.h"

bool IGraphics::IsDirty(IRECT* r) {
  if (!r) return false;
  bool dirty = false;
  for (auto& control : mControls) {
    if (control->IsDirty()) {
      *r = r->Union(control->GetRECT());
      dirty = true;
    }
  }
  return dirty;
}

bool IGraphics::Draw(IRECT* r) {
  if (!r || mControls.empty()) return true;
  if (!PrepBackBuffer()) return false;
  if (mStrict) {
    mDrawRECT = *r;
    for (auto& control : mControls) {
      if (!control->IsHidden() && r->Intersects(control->GetRECT())) control->Draw(this);
      control->SetClean();
    }
  } else if (mControls.front()->IsDirty()) {
    // A dirty background repaints everything over it.
    mDrawRECT = mControls.front()->GetRECT();
    for (size_t j = 0; j < mControls.size(); ++j) {
      if (j == 0 || !mControls[j]->IsHidden()) mControls[j]->Draw(this);
      mControls[j]->SetClean();
    }
  } else {
    for (size_t i = 1; i < mControls.size(); ++i) {
      IGraphicsControl* dirty = mControls[i].get();
      if (!dirty->IsDirty()) continue;
      mDrawRECT = dirty->GetRECT();
      for (size_t j = 0; j < mControls.size(); ++j) {
        IGraphicsControl* control = mControls[j].get();
        if (control->IsHidden()) continue;
        if (j == i || control->GetRECT().Intersects(mDrawRECT)) control->Draw(this);
      }
      dirty->SetClean();
    }
  }
  return DrawScreen(r);
}
