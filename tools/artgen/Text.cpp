#include "Text.h"

#include "Canvas.h"
#include "LICE_CachedFont.h"
#include "Palette.h"

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

namespace artgen {
namespace {
// Fonts by size and weight, made on first use and kept for the process.
LICE_CachedFont& Font(int size, bool bold) {
  static std::mutex mutex;
  static std::map<std::pair<int, bool>, std::unique_ptr<LICE_CachedFont>> fonts;
  std::lock_guard<std::mutex> lock(mutex);
  auto& font = fonts[{size, bold}];
  if (!font) {
    font = std::make_unique<LICE_CachedFont>();
    font->SetFromHFont(LICE_CreateNativeFont(size, 0, 0, 0, bold ? 700 : 400, false, 0, kFace),
                       LICE_FONT_FLAG_OWNS_HFONT);
  }
  return *font;
}

int Advance(LICE_CachedFont& font, const std::string& text) {
  RECT r{0, 0, 0, 0};
  font.DrawText(nullptr, text.c_str(), -1, &r, LICE_DT_CALCRECT | LICE_DT_SINGLELINE);
  return r.right;
}

// Splits UTF-8 text into characters.
std::string NextChar(const std::string& text, size_t& i) {
  size_t n = 1;
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  if (lead >= 0xF0)
    n = 4;
  else if (lead >= 0xE0)
    n = 3;
  else if (lead >= 0xC0)
    n = 2;
  std::string c = text.substr(i, n);
  i += n;
  return c;
}

// Renders one character alone in a small raster, white on black.
std::unique_ptr<LICE_MemBitmap> Sample(LICE_CachedFont& font, const char* utf8) {
  auto bm = std::make_unique<LICE_MemBitmap>(32, 32);
  LICE_ClearRect(bm.get(), 0, 0, 32, 32, 0, LICE_ARGB(255, 0, 0, 0));
  font.SetTextColor(LICE_ARGB(255, 255, 255, 255));
  RECT r{0, 0, 32, 32};
  font.DrawText(bm.get(), utf8, -1, &r, LICE_DT_USEFGALPHA | LICE_DT_SINGLELINE);
  return bm;
}
}  // namespace

int TextWidth(const std::string& text, const TextStyle& style) {
  LICE_CachedFont& font = Font(style.size, style.bold);
  if (style.tracking == 0) return Advance(font, text);
  double w = 0;
  int chars = 0;
  for (size_t i = 0; i < text.size(); ++chars) w += Advance(font, NextChar(text, i));
  return int(std::lround(w + style.tracking * std::max(0, chars - 1)));
}

int DrawText(LICE_IBitmap* bm, const std::string& text, const TextStyle& style, double x, int y,
             Align align) {
  LICE_CachedFont& font = Font(style.size, style.bold);
  font.SetTextColor(style.colour);
  const int width = TextWidth(text, style);
  if (align == Align::kCentre) x -= width / 2.0;
  if (align == Align::kRight) x -= width;
  double pen = std::round(x);
  for (size_t i = 0; i < text.size();) {
    // Letter by letter only when tracked; otherwise the font's own spacing.
    const std::string piece = style.tracking == 0 ? text.substr(i) : NextChar(text, i);
    if (style.tracking == 0) i = text.size();
    RECT r{int(std::lround(pen)), y, int(std::lround(pen)) + 4096, y + style.size};
    font.DrawText(bm, piece.c_str(), -1, &r, LICE_DT_USEFGALPHA | LICE_DT_SINGLELINE);
    pen += Advance(font, piece) + style.tracking;
  }
  return width;
}

const std::string& MinusSign() {
  static const std::string sign = [] {
    // A face without the glyph draws the same box for it as for a code it surely lacks.
    LICE_CachedFont& font = Font(16, false);
    auto minus = Sample(font, "\xE2\x88\x92");
    auto missing = Sample(font, "\xF4\x8F\xBF\xBD");  // U+10FFFD, private use
    return SameArea(minus.get(), 0, 0, missing.get(), 0, 0, 32, 32) ? std::string("-")
                                                                    : std::string("\xE2\x88\x92");
  }();
  return sign;
}

}  // namespace artgen
