#pragma once
// What a Linux drawing context holds. Only raster/linux/ sees it.

#include "../LICE_Types.h"

struct LICE_NativeFont;

struct LICE_DrawContext {
  void* block = nullptr;       // owned, zero-filled at creation
  LICE_pixel* bits = nullptr;  // 64-byte aligned start of block
  int width = 0;               // pixels, also the row span
  int height = 0;
  LICE_NativeFont* font = nullptr;  // selected, not owned
  int textColor = 0;                // 0x00RRGGBB; new contexts draw opaque black
  int bkColor = 0xFFFFFF;
  int bkMode = 0;  // 0 transparent, 1 opaque
};
