#pragma once
// FreeType and fontconfig as the Linux drawing layer uses them. Only raster/linux/ includes
// this header (and through it FreeType and fontconfig).

#include "../LICE_Types.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lice {
// One glyph as FreeType rendered it, kept by its font: 8-bit coverage, one byte per pixel.
struct GlyphImage {
  int advance = 0;  // pixels
  int left = 0;     // bitmap origin relative to the pen and the baseline (y grows down)
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;

  int Coverage(int x, int y) const { return coverage[size_t(y) * size_t(width) + size_t(x)]; }
};
}  // namespace lice

// A FreeType face at one size. Created by LICE_CreateNativeFont.
struct LICE_NativeFont {
  FT_Face face = nullptr;
  int lineHeight = 0;  // ascent + descent, pixels
  int ascent = 0;      // baseline below the top of a line, pixels
  int32_t loadFlags = 0;
  int escapement = 0;  // kept, not applied: text is laid out horizontally
  int orientation = 0;
  std::unordered_map<uint32_t, lice::GlyphImage> glyphs;  // rendered once per code
};

namespace lice {
// The advance of a code in pixels (0 when the font has no glyph and no fallback glyph).
int GlyphAdvance(LICE_NativeFont* font, uint32_t code);
// The rendered glyph of a code, from the font's cache or rendered now; null when FreeType
// cannot load it. The image lives as long as the font.
const GlyphImage* RenderGlyph(LICE_NativeFont* font, uint32_t code);
}  // namespace lice
