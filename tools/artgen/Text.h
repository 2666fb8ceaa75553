#pragma once
// Text for the artwork: DejaVu Sans through LICE_CachedFont, blended from its glyph cache with
// the colour's alpha. Fonts are made on first use and kept until the process ends; drawing
// with them belongs to one thread (the generator has only one).

#include "LICE.h"

#include <string>

namespace artgen {

enum class Align { kLeft, kCentre, kRight };

struct TextStyle {
  int size;  // line height in pixels
  bool bold = false;
  LICE_pixel colour;    // its alpha byte is the text's opacity
  double tracking = 0;  // extra pixels between letters
};

// Draws one line so that its box (advance width × line height) is aligned to x and its top
// is at y. Returns the width drawn.
int DrawText(LICE_IBitmap* bm, const std::string& text, const TextStyle& style, double x, int y,
             Align align = Align::kLeft);
// The width DrawText would draw.
int TextWidth(const std::string& text, const TextStyle& style);
// The minus sign for values: U+2212 when the face has it, else "-".
const std::string& MinusSign();

}  // namespace artgen
