// IURLControl: an invisible area that opens a link when pressed, falling back to a second
// link when the first cannot be opened. Texts longer than their buffers are cut.
#pragma once

#include "IControl.h"

class IURLControl : public IControl {
 public:
  static constexpr int kURLSize = 256;
  static constexpr int kErrMsgSize = 1024;

  IURLControl(IPlugBase* plug, IRECT rect, const char* url, const char* backupURL = nullptr,
              const char* errMsgOnFailure = nullptr);

  void OnMouseDown(int x, int y, IMouseMod* mod) override;
  bool Draw(IGraphics*) override { return true; }

 protected:
  char mURL[kURLSize] = {};
  char mBackupURL[kURLSize] = {};
  char mErrMsg[kErrMsgSize] = {};
};
