#include "X11TextEntry.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <string>

#include "LICE.h"
#include "LICE_Platform.h"
#include "X11EditorWindow.h"
#include "X11Presenter.h"
#include "X11UiText.h"
#include "core/IParam.h"
#include "graphics/IGraphics.h"

namespace {

int MaxLengthOf(IGraphicsControl* control) { return std::max(control->GetTextEntryLength(), 0); }

// Latin-1 bytes as UTF-8 (XLookupString gives Latin-1 for the keys of this field).
std::string Utf8FromLatin1(const char* text, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 63));
    }
  }
  return out;
}

}  // namespace

X11TextEntry::X11TextEntry(IGraphicsControl* control, IText* text, IRECT area, const char* initial,
                           IParam* param)
    : mControl(control),
      mParam(param),
      mArea(area),
      mForeground(text->mTextEntryFGColor),
      mBackground(text->mTextEntryBGColor),
      mAlign(text->mAlign),
      mModel(param ? TextEntryModel::CharSetForParamType(param->Type()) : "",
             param ? MaxLengthOf(control) : 0, initial),
      mFont(MakeUiFont(std::max(static_cast<int>(text->mSize * 0.9), 6), text->mFont,
                       text->mStyle & IText::kStyleBold)),
      mBitmap(std::max(area.W(), 1), std::max(area.H(), 1)) {
  Render();
}

X11TextEntry::KeyResult X11TextEntry::HandleKey(XKeyEvent& event, X11EditorWindow& window) {
  char buffer[32];
  KeySym keysym = NoSymbol;
  const int length = XLookupString(&event, buffer, sizeof buffer, &keysym, nullptr);
  switch (keysym) {
    case XK_Return:
    case XK_KP_Enter:
      return KeyResult::Commit;
    case XK_Escape:
      return KeyResult::Cancel;
    case XK_BackSpace:
      mModel.Backspace();
      break;
    case XK_Delete:
    case XK_KP_Delete:
      mModel.Delete();
      break;
    case XK_Left:
    case XK_KP_Left:
      mModel.MoveLeft();
      break;
    case XK_Right:
    case XK_KP_Right:
      mModel.MoveRight();
      break;
    case XK_Home:
    case XK_KP_Home:
      mModel.MoveHome();
      break;
    case XK_End:
    case XK_KP_End:
      mModel.MoveEnd();
      break;
    default:
      if (event.state & ControlMask) {
        const KeySym lower = XLookupKeysym(&event, 0);
        if (lower == XK_v) {
          std::string pasted;
          if (!window.ReadClipboard(&pasted)) return KeyResult::Ignored;
          std::erase_if(pasted, [](char c) { return c == '\n' || c == '\r'; });
          if (!mModel.Insert(pasted)) return KeyResult::Ignored;
        } else if (lower == XK_a) {
          mModel.SelectAll();
        } else {
          return KeyResult::Ignored;
        }
        break;
      }
      if (length <= 0 || static_cast<unsigned char>(buffer[0]) < 0x20) return KeyResult::Ignored;
      if (!mModel.Insert(Utf8FromLatin1(buffer, length))) return KeyResult::Ignored;
      break;
  }
  Render();
  return KeyResult::Changed;
}

void X11TextEntry::Render() {
  const int w = mBitmap.getWidth(), h = mBitmap.getHeight();
  const bool selected = mModel.AllSelected();
  const LICE_pixel background =
      selected ? LICE_ARGB(255, 170, 200, 255) : mBackground.ToPixel() | LICE_ARGB(255, 0, 0, 0);
  LICE_FillRect(&mBitmap, 0, 0, w, h, background, 1.0f, LICE_BLIT_MODE_COPY);
  if (!mFont) return;
  const std::string& text = mModel.Text();
  const int textWidth = UiTextWidth(mFont.get(), text.c_str(), static_cast<int>(text.size()));
  int x = 2;
  if (mAlign == IText::kAlignCenter) x = (w - textWidth) / 2;
  if (mAlign == IText::kAlignFar) x = w - 2 - textWidth;
  // Keep the caret inside the field when the text is wider than it.
  const int caretX = UiTextWidth(mFont.get(), text.c_str(), static_cast<int>(mModel.Caret()));
  if (x + caretX > w - 2) x = w - 2 - caretX;
  if (x + caretX < 1) x = 1 - caretX;
  mFont->SetTextColor(mForeground.ToPixel() | LICE_ARGB(255, 0, 0, 0));
  RECT r{x, 0, x + textWidth + 1, h};
  mFont->DrawText(&mBitmap, text.c_str(), static_cast<int>(text.size()), &r,
                  LICE_DT_SINGLELINE | LICE_DT_VCENTER | LICE_DT_NOPREFIX | LICE_DT_USEFGALPHA);
  const int lineHeight = std::min(mFont->GetLineHeight(), h);
  const int top = (h - lineHeight) / 2;
  LICE_Line(&mBitmap, x + caretX, top, x + caretX, top + lineHeight - 1,
            mForeground.ToPixel() | LICE_ARGB(255, 0, 0, 0), 1.0f, LICE_BLIT_MODE_COPY, false);
}

void X11TextEntry::Overlay(X11Presenter& presenter, IRECT r) {
  if (!mArea.Intersects(r)) return;
  presenter.Convert(&mBitmap, r, mArea.L, mArea.T);
}

void X11TextEntry::Commit(IGraphics& graphics) {
  if (!mParam) return;
  graphics.SetFromStringAfterPrompt(mControl, mParam, mModel.Text().c_str());
}
