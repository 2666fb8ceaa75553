#pragma once
// Text on rasters. LICE_CachedFont wraps a native font and draws UTF-8 text in one of two
// ways: through the platform's text engine straight into a raster that has a drawing context
// (the editor's back buffer), or from 8-bit glyph coverage maps that it renders once per
// character and then blends with the text colour. Opaque text with the native-engine flag
// takes the first way; text that uses its colour's alpha (LICE_DT_USEFGALPHA) the second.
//
// One font is used by one thread at a time (its glyph cache is its own). Different fonts may
// draw on different threads at once (editors of several instances): the render and scratch
// rasters they share are process-wide and held under one mutex while a glyph renders or text
// goes through the scratch raster. Creating and destroying fonts may happen on any thread.

#include "LICE_Bitmap.h"
#include "LICE_Platform.h"
#include "LICE_Types.h"

#include <vector>

// Font flags (SetFromHFont).
enum {
  LICE_FONT_FLAG_VERTICAL = 0x1,           // the pen moves down; lines stack to the right
  LICE_FONT_FLAG_VERTICAL_BOTTOMUP = 0x2,  // with VERTICAL: the pen starts at the bottom, moves up
  LICE_FONT_FLAG_PRECALCALL = 0x4,         // render codes 0..127 at once, never codes above
  LICE_FONT_FLAG_ROTATE_GLYPHS = 0x10,     // cache glyphs turned 90° clockwise
  LICE_FONT_FLAG_OWNS_HFONT = 0x200,       // delete the native font when replaced or destroyed
  LICE_FONT_FLAG_FORCE_NATIVE = 0x400,     // prefer the native text engine
};

class LICE_IFont {
 public:
  virtual ~LICE_IFont() = default;
  virtual void SetFromHFont(LICE_NativeFont* font, int flags = 0) = 0;
  // The setters return the previous value.
  virtual LICE_pixel SetTextColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetBkColor(LICE_pixel color) = 0;
  virtual LICE_pixel SetEffectColor(LICE_pixel color) = 0;
  virtual int SetBkMode(int mode) = 0;
  virtual void SetCombineMode(int mode, float alpha = 1.0f) = 0;
  // Draws (or with LICE_DT_CALCRECT measures) text in rect; returns the text's height.
  virtual int DrawText(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect,
                       unsigned flags) = 0;
  virtual LICE_pixel GetTextColor() = 0;
  virtual LICE_NativeFont* GetHFont() = 0;
  virtual int GetLineHeight() = 0;
  virtual bool DrawGlyph(LICE_IBitmap* bitmap, uint32_t code, int x, int y, const RECT* clip) = 0;
};

class LICE_CachedFont : public LICE_IFont {
 public:
  LICE_CachedFont();
  ~LICE_CachedFont() override;
  LICE_CachedFont(const LICE_CachedFont&) = delete;
  LICE_CachedFont& operator=(const LICE_CachedFont&) = delete;

  // Takes the font (and, with LICE_FONT_FLAG_OWNS_HFONT, its ownership), reads its line
  // height and forgets every cached glyph.
  void SetFromHFont(LICE_NativeFont* font, int flags = 0) override;
  LICE_pixel SetTextColor(LICE_pixel color) override;
  LICE_pixel SetBkColor(LICE_pixel color) override;
  // Stored only; no drawing uses the effect colour.
  LICE_pixel SetEffectColor(LICE_pixel color) override;
  // 1: each glyph's cell (advance × line height) is first filled with the background colour.
  int SetBkMode(int mode) override;
  // The blit mode word and weight glyphs are blended with.
  void SetCombineMode(int mode, float alpha = 1.0f) override;

  // length > 0 limits the text to that many bytes; otherwise it ends at its zero.
  // Flags: LICE_DT_* of LICE_Platform.h. Returns the height of the text (its width for
  // vertical fonts); 0 when nothing can be drawn.
  int DrawText(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect,
               unsigned flags) override;
  LICE_pixel GetTextColor() override { return m_fg; }
  LICE_NativeFont* GetHFont() override { return m_font; }
  int GetLineHeight() override { return m_line_height; }
  // Blends one cached glyph (rendered first if needed) at (x, y) with the combine weight,
  // cut to clip and the raster. Returns whether anything was drawn.
  bool DrawGlyph(LICE_IBitmap* bitmap, uint32_t code, int x, int y, const RECT* clip) override;

 private:
  struct GlyphRecord {
    int32_t coverage = 0;  // 0 not rendered yet, > 0 1 + start in m_coverage, < 0 no glyph
    int32_t width = 0;
    int32_t height = 0;
    int32_t advance = 0;
    int32_t code = 0;
  };

  bool UseNativeEngine(unsigned flags) const;
  int DrawNative(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect, unsigned flags);
  int DrawCached(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect, unsigned flags);
  const GlyphRecord* FindGlyph(uint32_t code);  // rendered on first use; null without glyph
  GlyphRecord* RecordFor(uint32_t code);
  void RenderGlyph(GlyphRecord& record, uint32_t code);
  bool BlendGlyph(LICE_IBitmap* bitmap, const GlyphRecord& g, int64_t x, int64_t y,
                  const RECT& clip, int weight);
  void ClearGlyphs();

  LICE_pixel m_fg = 0;
  LICE_pixel m_bg = 0xFFFFFFFF;
  LICE_pixel m_effectcol = 0xFFFFFFFF;
  int32_t m_bgmode = 0;
  int32_t m_comb_mode = 0;
  float m_comb_alpha = 1.0f;
  int32_t m_flags = 0;
  int32_t m_line_height = 0;
  int32_t m_lsadj = 0;  // extra space between lines in the glyph-cache path
  GlyphRecord m_lowchars[128];
  std::vector<GlyphRecord> m_extended;  // codes >= 128, sorted by code
  std::vector<uint8_t> m_coverage;      // width × height bytes per glyph
  LICE_NativeFont* m_font = nullptr;
};
