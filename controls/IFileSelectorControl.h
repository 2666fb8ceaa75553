// IFileSelectorControl: a press opens the (blocking) file panel; its bitmap shows while the
// panel is open, and each completed selection flips the value between 1 and 0 so a bound
// parameter sees the change. Editor thread only.
#pragma once

#include <string>

#include "IControl.h"

class IFileSelectorControl : public IControl {
 public:
  enum EFileAction { kFileOpen = 0, kFileSave = 1 };
  enum EState { kIdle = 0, kSelecting = 1, kDone = 2 };

  IFileSelectorControl(IPlugBase* plug, IRECT rect, int paramIdx, IBitmap* bitmap,
                       int action = kFileOpen, const char* dir = "", const char* extensions = "");

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics* graphics) override;
  // A finished selection is drawn once more: true once after it, then clean again.
  bool IsDirty() override;

  void GetLastSelectedFileForPlug(std::string* out) const { *out = mFile; }
  void SetLastSelectedFileFromPlug(const char* file) { mFile = file ? file : ""; }

 protected:
  IBitmap mBitmap;
  std::string mDir, mFile, mExtensions;
  int mFileAction;
  int mState = kIdle;
};
