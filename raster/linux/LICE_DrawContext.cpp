// The Linux drawing context: a pixel block plus the text state text is drawn with.
#include "../LICE_Platform.h"
#include "LICE_DrawContextState.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

LICE_DrawContext* LICE_CreateDrawContext(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  const int64_t bytes = int64_t(width) * height * 4;
  if (bytes > INT32_MAX) return nullptr;
  void* block = calloc(size_t(bytes) + 63, 1);
  if (!block) return nullptr;
  auto* dc = new LICE_DrawContext;
  dc->block = block;
  dc->bits =
      reinterpret_cast<LICE_pixel*>((reinterpret_cast<uintptr_t>(block) + 63) & ~uintptr_t(63));
  dc->width = width;
  dc->height = height;
  return dc;
}

void LICE_DestroyDrawContext(LICE_DrawContext* dc) {
  if (!dc) return;
  free(dc->block);
  delete dc;
}

LICE_pixel* LICE_DrawContextBits(LICE_DrawContext* dc) { return dc ? dc->bits : nullptr; }

LICE_NativeFont* LICE_SelectFont(LICE_DrawContext* dc, LICE_NativeFont* font) {
  if (!dc) return nullptr;
  LICE_NativeFont* old = dc->font;
  dc->font = font;
  return old;
}

int LICE_SetTextColor(LICE_DrawContext* dc, int rgb) {
  return dc ? std::exchange(dc->textColor, rgb & 0xFFFFFF) : 0;
}

int LICE_SetBkColor(LICE_DrawContext* dc, int rgb) {
  return dc ? std::exchange(dc->bkColor, rgb & 0xFFFFFF) : 0;
}

int LICE_SetBkMode(LICE_DrawContext* dc, int mode) {
  return dc ? std::exchange(dc->bkMode, mode) : 0;
}
