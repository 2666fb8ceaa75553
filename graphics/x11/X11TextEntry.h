// The value entry of the X11 view: a field drawn by us over the editor (never into the back
// buffer, so the back buffer stays what the engine drew), with a caret, the parameter kind's
// character set and the control's maximum length (TextEntryModel). Enter commits through
// IGraphics::SetFromStringAfterPrompt, Escape cancels, Control+V pastes the CLIPBOARD
// selection, Control+A selects all. The window decides about clicks elsewhere, the wheel and
// lost focus (they commit).
//
// Threads: the editor thread.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "LICE_Bitmap.h"
#include "LICE_CachedFont.h"
#include "TextEntryModel.h"
#include "graphics/IGraphicsStructs.h"

class IGraphics;
class IGraphicsControl;
class IParam;
class X11EditorWindow;
class X11Presenter;

class X11TextEntry {
 public:
  enum class KeyResult { Ignored, Changed, Commit, Cancel };

  X11TextEntry(IGraphicsControl* control, IText* text, IRECT area, const char* initial,
               IParam* param);

  const IRECT& Area() const { return mArea; }
  const TextEntryModel& Model() const { return mModel; }
  // A key press while the entry is open; the window is asked for the clipboard on paste.
  KeyResult HandleKey(XKeyEvent& event, X11EditorWindow& window);
  // Puts the field over the part r of the presenter's image.
  void Overlay(X11Presenter& presenter, IRECT r);
  // Hands the typed text to the engine (nothing without a parameter).
  void Commit(IGraphics& graphics);

 private:
  void Render();

  IGraphicsControl* mControl;
  IParam* mParam;
  IRECT mArea;
  IColor mForeground, mBackground;
  int mAlign;
  TextEntryModel mModel;
  std::unique_ptr<LICE_CachedFont> mFont;
  LICE_MemBitmap mBitmap;
};
