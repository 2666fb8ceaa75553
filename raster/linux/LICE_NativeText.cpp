// Native text on Linux: lines of FreeType glyphs laid out and drawn into a drawing context.
// No kerning; each glyph advances by its hinted advance rounded to whole pixels, so a line is
// exactly as wide as the sum of its characters' widths.
#include "../LICE_Platform.h"
#include "../LICE_Utf8.h"
#include "LICE_DrawContextState.h"
#include "LICE_FontSystem.h"

#include <algorithm>
#include <cstdint>

using namespace lice;

namespace {
// The code drawn for a text code: carriage returns draw nothing, a line feed inside a single
// line is a space.
bool Drawable(uint32_t& code) {
  if (code == '\r') return false;
  if (code == '\n') code = ' ';
  return true;
}

// Calls lineFn(startByte, endByte, width) for each line; a line feed ends a line unless
// LICE_DT_SINGLELINE is set. Returns the number of lines.
template <class LineFn>
int ForEachLine(LICE_NativeFont* font, const char* text, int len, unsigned flags, LineFn&& lineFn) {
  const bool single = (flags & LICE_DT_SINGLELINE) != 0;
  Utf8Reader reader(text, len);
  int lines = 0, start = 0, width = 0;
  while (true) {
    const int before = reader.Position();
    uint32_t code;
    const bool more = reader.Next(code);
    if (!more || (code == '\n' && !single)) {
      lineFn(start, before, width);
      ++lines;
      if (!more) return lines;
      start = reader.Position();
      width = 0;
    } else if (Drawable(code)) {
      width += GlyphAdvance(font, code);
    }
  }
}

// Positions are worked out in 64 bits (rectangles may reach the ends of the int range);
// pixels are only ever touched inside the clip.
int ToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

struct Clip {
  int left, top, right, bottom;
};

// Blends the text colour into one pixel by coverage (0..255); the alpha byte is kept.
void BlendCoverage(LICE_pixel& p, int rgb, int coverage) {
  uint8_t* d = reinterpret_cast<uint8_t*>(&p);
  const int target[3] = {(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255};
  for (int c = 0; c < 3; ++c)
    d[c + 1] = uint8_t(d[c + 1] + ((target[c] - d[c + 1]) * coverage) / 255);
}

void DrawGlyphImage(LICE_DrawContext* dc, const GlyphImage& g, int64_t x, int64_t y,
                    const Clip& clip) {
  const int x0 = int(std::max<int64_t>(x, clip.left)),
            x1 = int(std::min<int64_t>(x + g.width, clip.right));
  const int y0 = int(std::max<int64_t>(y, clip.top)),
            y1 = int(std::min<int64_t>(y + g.height, clip.bottom));
  for (int py = y0; py < y1; ++py) {
    LICE_pixel* row = dc->bits + long(py) * dc->width;
    for (int px = x0; px < x1; ++px) {
      const int coverage = g.Coverage(px - x, py - y);
      if (coverage) BlendCoverage(row[px], dc->textColor, coverage);
    }
  }
}

void FillBackground(LICE_DrawContext* dc, int64_t x, int64_t y, int w, int h, const Clip& clip) {
  const int x0 = int(std::max<int64_t>(x, clip.left)),
            x1 = int(std::min<int64_t>(x + w, clip.right));
  const int y0 = int(std::max<int64_t>(y, clip.top)),
            y1 = int(std::min<int64_t>(y + h, clip.bottom));
  for (int py = y0; py < y1; ++py)
    for (int px = x0; px < x1; ++px)
      BlendCoverage(dc->bits[long(py) * dc->width + px], dc->bkColor, 255);
}

void DrawLine(LICE_DrawContext* dc, const char* text, int bytes, int64_t x, int64_t y,
              const Clip& clip) {
  LICE_NativeFont* font = dc->font;
  Utf8Reader reader(text, bytes);
  uint32_t code;
  while (reader.Next(code)) {
    const GlyphImage* glyph = Drawable(code) ? RenderGlyph(font, code) : nullptr;
    if (!glyph) continue;
    DrawGlyphImage(dc, *glyph, x + glyph->left, y + font->ascent + glyph->top, clip);
    x += glyph->advance;
  }
}
}  // namespace

int LICE_MeasureNativeText(LICE_NativeFont* font, const char* text, int len, RECT* rect,
                           unsigned flags) {
  if (!font || !text || !rect) return 0;
  int widest = 0;
  const int lines = ForEachLine(font, text, len, flags,
                                [&](int, int, int width) { widest = std::max(widest, width); });
  rect->right = ToInt(int64_t(rect->left) + widest);
  rect->bottom = ToInt(int64_t(rect->top) + int64_t(lines) * font->lineHeight);
  return lines * font->lineHeight;
}

int LICE_DrawNativeText(LICE_DrawContext* dc, const char* text, int len, RECT* rect,
                        unsigned flags) {
  if (!dc || !dc->font || !text || !rect) return 0;
  if (flags & LICE_DT_CALCRECT) return LICE_MeasureNativeText(dc->font, text, len, rect, flags);

  RECT extent = *rect;
  const int height = LICE_MeasureNativeText(dc->font, text, len, &extent, flags);
  int64_t y = rect->top;
  if (flags & LICE_DT_VCENTER)
    y += (int64_t(rect->bottom) - rect->top - height) / 2;
  else if (flags & LICE_DT_BOTTOM)
    y = int64_t(rect->bottom) - height;

  Clip clip{0, 0, dc->width, dc->height};
  if (!(flags & LICE_DT_NOCLIP))
    clip = {std::max(0, rect->left), std::max(0, rect->top), std::min(dc->width, rect->right),
            std::min(dc->height, rect->bottom)};

  const int lineHeight = dc->font->lineHeight;
  ForEachLine(dc->font, text, len, flags, [&](int start, int end, int width) {
    int64_t x = rect->left;
    if (flags & LICE_DT_CENTER)
      x += (int64_t(rect->right) - rect->left - width) / 2;
    else if (flags & LICE_DT_RIGHT)
      x = int64_t(rect->right) - width;
    if (dc->bkMode == 1) FillBackground(dc, x, y, width, lineHeight, clip);
    DrawLine(dc, text + start, end - start, x, y, clip);
    y += lineHeight;
  });
  return height;
}
