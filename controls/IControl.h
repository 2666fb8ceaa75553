// IControl: the base of every element of the editor: a rectangle that draws itself, reacts to
// the mouse and may be bound to one plug-in parameter. A bound control keeps that parameter's
// normalised value as last drawn or edited; it pushes a user's edit to the plug-in with
// SetDirty(true), which calls IPlugBase::SetParameterFromGUI.
//
// Threads: mouse, key, drawing and prompt calls come from the editor thread through IGraphics.
// SetValueFromPlug, SetAuxParamValueFromPlug, Hide, GrayOut and SetClamp may come from any
// host thread with the plug-in's mutex held while the editor thread draws; everything they
// write (value, default, clamp bounds, dirty/redraw flags, hidden/greyed state) is atomic, and
// they never draw or call the host. The editor thread's own writes use the same atomics.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "graphics/IGraphics.h"

class IPlugBase;
class IParam;
class ITextControl;

class IControl : public IGraphicsControl {
 public:
  struct AuxParam {
    std::atomic<double> mValue{0.0};
    int mParamIdx = 0;
    explicit AuxParam(int paramIdx) : mParamIdx(paramIdx) {}
    AuxParam(const AuxParam& other) : mValue(other.mValue.load()), mParamIdx(other.mParamIdx) {}
  };

  IControl(IPlugBase* plug, IRECT rect, int paramIdx = -1, int blendMethod = kBlendNone);
  ~IControl() override = default;
  IControl(const IControl&) = delete;
  IControl& operator=(const IControl&) = delete;

  void SetGraphics(IGraphics* graphics) override { mGraphics = graphics; }

  // Right button: the value prompt (when enabled).
  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  void OnMouseUp(int, int, IMouseMod*) override {}
  void OnMouseDrag(int, int, int, int, IMouseMod*) override {}
  // Back to the first value the plug-in pushed, pushed to the plug-in; nothing before that.
  void OnMouseDblClick(int x, int y, IMouseMod* mod) override;
  void OnMouseWheel(int, int, IMouseMod*, int) override {}
  bool OnKeyDown(int, int, int) override { return false; }
  void OnMouseOver(int, int, IMouseMod*) override {}
  void OnMouseOut() override {}

  // The first value that arrives becomes the double-click default; an equal value changes
  // nothing; a new one is stored and drawn in the next two passes, never pushed back.
  void SetValueFromPlug(double value) override;
  void SetValueFromUserInput(double value) override;
  virtual void TextFromTextEntry(const char*) {}
  void SetAuxParamValueFromPlug(int auxParamIdx, double value) override;
  int AuxParamIdx(int paramIdx) const override;
  void AddAuxParam(int paramIdx) { mAuxParams.emplace_back(paramIdx); }
  void Hide(bool hide) override;
  // Greyed controls draw at a quarter weight and take no presses.
  void GrayOut(bool gray) override;
  void SetClamp(double lo, double hi) override;

  // Inside the target rectangle (left/top edges in, right/bottom out); never when it is empty.
  bool IsHit(int x, int y) override;
  bool IsDirty() override { return mDirty.load(std::memory_order_relaxed); }
  // Clamps the value into the clamp bounds and marks the control dirty; with push, sends the
  // value to the plug-in and updates the value and name display controls.
  void SetDirty(bool pushParamToPlug) override;
  void SetClean() override;
  void OnGUIIdle() override {}

  // Opens the value prompt for the bound parameter: its display texts as a menu, else a
  // 40 × 16 text entry centred on the control. Nothing when unbound or prompting is off.
  void PromptUserInput();

  int ParamIdx() const override { return mParamIdx; }
  IRECT GetRECT() const override { return mRECT; }
  IRECT GetTargetRECT() const override { return mTargetRECT; }
  double GetValue() const override { return mValue.load(std::memory_order_relaxed); }
  double GetDefaultValue() const { return mDefaultValue.load(std::memory_order_relaxed); }
  bool IsHidden() const override { return mHide.load(std::memory_order_relaxed); }
  bool IsGrayed() const override { return mGrayed.load(std::memory_order_relaxed); }
  bool GetMOWhenGrayed() const override { return mMOWhenGrayed; }
  bool MouseDblAsSingleClick() const override { return mDblAsSingleClick; }
  IText* GetText() override { return &mText; }
  int GetTextEntryLength() const override { return mTextEntryLength; }
  const char* GetTooltip() const override { return mTooltip.c_str(); }
  void SetTooltip(const char* tooltip) override { mTooltip = tooltip ? tooltip : ""; }
  void SetTextEntryLength(int length) { mTextEntryLength = length; }
  void DisablePrompt(bool disable) { mDisablePrompt = disable; }
  void SetMOWhenGrayed(bool allow) { mMOWhenGrayed = allow; }
  void SetDblAsSingleClick(bool asSingle) { mDblAsSingleClick = asSingle; }
  void SetValDisplayControl(ITextControl* control) { mValDisplayControl = control; }
  void SetNameDisplayControl(ITextControl* control) { mNameDisplayControl = control; }
  // The blend to draw bitmaps with: the control's method at a quarter weight while greyed.
  IChannelBlend GetBlend() const;

 protected:
  // The bound parameter, or null when unbound or out of the plug-in's range.
  IParam* GetParam() const;
  // The bound parameter's display string for its current real value (display texts
  // included), read under the plug-in's mutex since host threads write the value. With
  // negate, a "-" goes in front unless the value is 0.0. Empty when unbound.
  std::string ParamDisplayText(bool negate = false) const;
  // Adds delta to the value (editor thread; the next SetDirty clamps it).
  void AddToValue(double delta) {
    mValue.store(mValue.load(std::memory_order_relaxed) + delta, std::memory_order_relaxed);
  }

  int mTextEntryLength = 7;
  IText mText;
  IPlugBase* mPlug;
  IGraphics* mGraphics = nullptr;
  IRECT mRECT;
  IRECT mTargetRECT;
  int mParamIdx;
  std::vector<AuxParam> mAuxParams;
  std::atomic<double> mValue{0.0};
  std::atomic<double> mDefaultValue{-1.0};
  std::atomic<double> mClampLo{0.0};
  std::atomic<double> mClampHi{1.0};
  std::atomic<bool> mDirty{true};
  std::atomic<bool> mHide{false};
  std::atomic<bool> mGrayed{false};
  std::atomic<bool> mRedraw{false};
  bool mDisablePrompt = true;
  bool mDblAsSingleClick = false;
  bool mMOWhenGrayed = false;
  IChannelBlend mBlend;
  ITextControl* mValDisplayControl = nullptr;   // not owned
  ITextControl* mNameDisplayControl = nullptr;  // not owned
  std::string mTooltip;
};
