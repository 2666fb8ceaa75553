#include "X11UiText.h"

#include "LICE_Platform.h"

std::recursive_mutex& UiDrawLock() {
  static std::recursive_mutex lock;
  return lock;
}

std::unique_ptr<LICE_CachedFont> MakeUiFont(int pixelHeight, const char* face, bool bold) {
  LICE_NativeFont* native =
      LICE_CreateNativeFont(-pixelHeight, 0, 0, 0, bold ? 700 : 400, false, 0, face);
  if (!native) return nullptr;
  auto font = std::make_unique<LICE_CachedFont>();
  font->SetFromHFont(native, LICE_FONT_FLAG_OWNS_HFONT);
  font->SetBkMode(0);
  return font;
}

int UiTextWidth(LICE_CachedFont* font, const char* text, int length) {
  if (!font || length <= 0) return 0;
  RECT r{0, 0, 0, 0};
  font->DrawText(nullptr, text, length, &r,
                 LICE_DT_CALCRECT | LICE_DT_SINGLELINE | LICE_DT_NOPREFIX | LICE_DT_USEFGALPHA);
  return r.right - r.left;
}
