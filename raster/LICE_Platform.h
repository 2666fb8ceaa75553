#pragma once
// The platform drawing layer beneath LICE_SysBitmap and the native text path of
// LICE_CachedFont. Each platform supplies these functions in a folder of its own
// (raster/linux/ here); nothing else in the raster library knows how text is rasterised.
//
// A drawing context paints straight into its own block of 32-bit pixels (the layout of
// LICE_Types.h), origin at the top left, rows `width` pixels apart. It carries the text
// state of a classic device context: the selected font, a text colour and a background
// colour in 0x00RRGGBB form, and a background mode. Text changes only the R, G and B bytes
// of the pixels it touches; the alpha byte is left as it was.
//
// Contexts and fonts are used by one thread at a time; creating and destroying fonts is
// safe from any thread.

#include "LICE_Types.h"

struct LICE_DrawContext;
struct LICE_NativeFont;

// Text format flags, shared by the native text engine and LICE_CachedFont::DrawText.
enum {
  LICE_DT_CALCRECT = 0x1,  // measure only: right and bottom of the rectangle are set
  LICE_DT_VCENTER = 0x2,
  LICE_DT_CENTER = 0x4,
  LICE_DT_BOTTOM = 0x10,
  LICE_DT_RIGHT = 0x20,
  LICE_DT_SINGLELINE = 0x40,  // a line feed counts as a space
  LICE_DT_NOPREFIX = 0x80,    // '&' is drawn as it is (it always is)
  LICE_DT_NOCLIP = 0x100,     // clip to the raster only, not to the rectangle
  LICE_DT_USEFGALPHA = 0x40000000,
};

// A zero-filled context of width × height pixels with a 64-byte aligned pixel block;
// null when it cannot be allocated.
LICE_DrawContext* LICE_CreateDrawContext(int width, int height);
void LICE_DestroyDrawContext(LICE_DrawContext* dc);  // null is ignored
LICE_pixel* LICE_DrawContextBits(LICE_DrawContext* dc);

// Each setter returns the previous value.
LICE_NativeFont* LICE_SelectFont(LICE_DrawContext* dc, LICE_NativeFont* font);
int LICE_SetTextColor(LICE_DrawContext* dc, int rgb);
int LICE_SetBkColor(LICE_DrawContext* dc, int rgb);
int LICE_SetBkMode(LICE_DrawContext* dc, int mode);  // 0 transparent, 1 opaque

// A font found by family name, with a monospace face standing in when the family is not
// installed. height > 0 asks for that line height (ascent plus descent) in pixels,
// height < 0 for that em size, 0 for 12 pixels. weight >= 600 asks for bold; quality 3 draws
// without anti-aliasing. Escapement and orientation (tenths of degrees) are kept but text is
// always laid out horizontally. Null when no font at all can be loaded.
LICE_NativeFont* LICE_CreateNativeFont(int height, int width, int escapement, int orientation,
                                       int weight, bool italic, int quality, const char* face);
void LICE_DestroyNativeFont(LICE_NativeFont* font);  // null is ignored
int LICE_NativeFontLineHeight(const LICE_NativeFont* font);

// Lays out UTF-8 text (at most len bytes when len >= 0, else up to its terminating zero) in
// rect with the LICE_DT_* flags: lines are aligned one by one, the block vertically.
// With LICE_DT_CALCRECT nothing is drawn and rect's right and bottom become left + width
// and top + height of the text. Returns the height of the text; 0 without a font.
int LICE_DrawNativeText(LICE_DrawContext* dc, const char* text, int len, RECT* rect,
                        unsigned flags);
// The measuring half of LICE_DrawNativeText, for callers without a context.
int LICE_MeasureNativeText(LICE_NativeFont* font, const char* text, int len, RECT* rect,
                           unsigned flags);
