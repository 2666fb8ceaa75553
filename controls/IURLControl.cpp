#include "IURLControl.h"

#include <cstdio>

IURLControl::IURLControl(IPlugBase* plug, IRECT rect, const char* url, const char* backupURL,
                         const char* errMsgOnFailure)
    : IControl(plug, rect) {
  if (url) snprintf(mURL, sizeof mURL, "%s", url);
  if (backupURL) snprintf(mBackupURL, sizeof mBackupURL, "%s", backupURL);
  if (errMsgOnFailure) snprintf(mErrMsg, sizeof mErrMsg, "%s", errMsgOnFailure);
}

void IURLControl::OnMouseDown(int, int, IMouseMod*) {
  if (!mGraphics) return;
  const char* err = mErrMsg[0] ? mErrMsg : nullptr;
  bool opened = mURL[0] && mGraphics->OpenURL(mURL, err);
  if (!opened && mBackupURL[0]) mGraphics->OpenURL(mBackupURL, err);
}
