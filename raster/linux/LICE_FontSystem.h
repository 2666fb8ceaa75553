#pragma once
// FreeType and fontconfig as the Linux drawing layer uses them. Only raster/linux/ includes
// this header (and through it FreeType and fontconfig).

#include "../LICE_Types.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>

// A FreeType face at one size. Created by LICE_CreateNativeFont.
struct LICE_NativeFont
{
  FT_Face face = nullptr;
  int lineHeight = 0;  // ascent + descent, pixels
  int ascent = 0;      // baseline below the top of a line, pixels
  int32_t loadFlags = 0;
  int escapement = 0;   // kept, not applied: text is laid out horizontally
  int orientation = 0;
};

namespace lice
{
// One rendered glyph as FreeType left it in the face's glyph slot.
struct GlyphImage
{
  int advance = 0;  // pixels
  int left = 0;     // bitmap origin relative to the pen and the baseline (y grows down)
  int top = 0;
  int width = 0;
  int height = 0;
  int pitch = 0;
  bool mono = false;  // 1 bit per pixel instead of 8
  const unsigned char* bits = nullptr;

  int Coverage(int x, int y) const
  {
    const unsigned char* row = bits + y * pitch;
    return mono ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255 : row[x];
  }
};

// The advance of a code in pixels (0 when the font has no glyph and no fallback glyph).
int GlyphAdvance(LICE_NativeFont* font, uint32_t code);
// Renders a code; false when it cannot be loaded. The image lives until the next call.
bool RenderGlyph(LICE_NativeFont* font, uint32_t code, GlyphImage& image);
}  // namespace lice
