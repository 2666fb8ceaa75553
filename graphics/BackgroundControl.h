// The editor's background: a bitmap copied opaquely, or a panel filled with one colour,
// covering the editor from (0, 0). Bound to no parameter; it takes every click that no other
// control takes and nothing happens. IGraphics makes it in AttachBackground and
// AttachPanelBackground, so the engine needs nothing from the controls library.
//
// Threads: the editor thread, except Hide/GrayOut/SetValueFromPlug (any thread, atomics only).
#pragma once

#include <atomic>
#include <string>

#include "IGraphicsControl.h"

class BackgroundControl final : public IGraphicsControl {
 public:
  // An opaque copy of the bitmap's first frame.
  explicit BackgroundControl(const IBitmap& bitmap);
  // A panel filled with the colour.
  BackgroundControl(const IRECT& rect, const IColor& color);

  bool Draw(IGraphics* graphics) override;

  void SetValueFromPlug(double) override {}
  void SetValueFromUserInput(double) override {}
  void SetAuxParamValueFromPlug(int, double) override {}
  int AuxParamIdx(int) const override { return -1; }
  void Hide(bool hide) override;
  void GrayOut(bool gray) override;
  void SetClamp(double, double) override {}

  bool IsHit(int x, int y) override { return mRECT.Contains(x, y); }
  bool IsDirty() override { return mDirty.load(std::memory_order_relaxed); }
  void SetDirty(bool) override { mDirty.store(true, std::memory_order_relaxed); }
  void SetClean() override { mDirty.store(false, std::memory_order_relaxed); }
  void OnGUIIdle() override {}

  int ParamIdx() const override { return -1; }
  IRECT GetRECT() const override { return mRECT; }
  IRECT GetTargetRECT() const override { return mRECT; }
  double GetValue() const override { return 0.0; }
  bool IsHidden() const override { return mHide.load(std::memory_order_relaxed); }
  bool IsGrayed() const override { return mGrayed.load(std::memory_order_relaxed); }
  bool GetMOWhenGrayed() const override { return false; }
  bool MouseDblAsSingleClick() const override { return false; }
  IText* GetText() override { return &mText; }
  int GetTextEntryLength() const override { return 0; }
  const char* GetTooltip() const override { return mTooltip.c_str(); }
  void SetTooltip(const char* tooltip) override { mTooltip = tooltip ? tooltip : ""; }

 private:
  IBitmap mBitmap;
  IColor mColor;
  bool mIsPanel;
  IRECT mRECT;
  IText mText;
  std::string mTooltip;
  std::atomic<bool> mDirty{true};
  std::atomic<bool> mHide{false};
  std::atomic<bool> mGrayed{false};
};
