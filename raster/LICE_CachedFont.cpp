#include "LICE_CachedFont.h"

#include "LICE.h"
#include "LICE_PixelOps.h"
#include "LICE_RasterAccess.h"
#include "LICE_Utf8.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>
#include <utility>

using namespace lice;

namespace {
// Process-wide: the number of live cached fonts and the two rasters they share, made on
// first use and deleted with the last font. The mutex guards their creation and deletion and
// every use: editors of several instances may draw text on threads of their own.
struct SharedRasters {
  std::mutex mutex;
  int liveFonts = 0;
  LICE_SysBitmap* render = nullptr;   // glyphs are rendered here, white on black
  LICE_SysBitmap* scratch = nullptr;  // native text for rasters without a context
};

SharedRasters& Shared() {
  static SharedRasters shared;
  return shared;
}

// One of the shared rasters, held for the lease's lifetime.
class SharedRaster {
 public:
  explicit SharedRaster(LICE_SysBitmap* SharedRasters::*which) : mLock(Shared().mutex) {
    SharedRasters& s = Shared();
    if (!(s.*which)) s.*which = new LICE_SysBitmap;
    mRaster = s.*which;
  }
  LICE_SysBitmap* operator->() const { return mRaster; }
  LICE_SysBitmap* get() const { return mRaster; }

 private:
  std::lock_guard<std::mutex> mLock;
  LICE_SysBitmap* mRaster;
};

constexpr unsigned kAlignFlags = LICE_DT_VCENTER | LICE_DT_CENTER | LICE_DT_BOTTOM | LICE_DT_RIGHT;
constexpr int kMaxCachedLineHeight = 1023;

// The context's 0x00RRGGBB form of a pixel's colour.
int ContextColor(LICE_pixel p) {
  return int(LICE_GETR(p) << 16 | LICE_GETG(p) << 8 | LICE_GETB(p));
}

// Writes a code point (at most U+10FFFF) as UTF-8; returns the number of bytes.
int EncodeUtf8(uint32_t code, char out[4]) {
  if (code < 0x80) {
    out[0] = char(code);
    return 1;
  }
  const int bytes = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[5] = {0, 0, 0xC0, 0xE0, 0xF0};
  for (int i = bytes - 1; i > 0; --i, code >>= 6) out[i] = char(0x80 | (code & 63));
  out[0] = char(kLead[bytes] | code);
  return bytes;
}

int ToInt(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// The rectangle of w × h at (x, y), limited to the int range.
RECT Box(int64_t x, int64_t y, int w, int h) {
  return {ToInt(x), ToInt(y), ToInt(x + w), ToInt(y + h)};
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Where a text block of w × h starts inside rect under the alignment flags (computed in 64
// bits: rectangles may reach to the ends of the int range).
void AlignedOrigin(const RECT& rect, unsigned flags, int w, int h, int& x, int& y) {
  int64_t left = rect.left, top = rect.top;
  if (flags & LICE_DT_CENTER)
    left += (int64_t(rect.right) - rect.left - w) / 2;
  else if (flags & LICE_DT_RIGHT)
    left = int64_t(rect.right) - w;
  if (flags & LICE_DT_VCENTER)
    top += (int64_t(rect.bottom) - rect.top - h) / 2;
  else if (flags & LICE_DT_BOTTOM)
    top = int64_t(rect.bottom) - h;
  x = ToInt(left);
  y = ToInt(top);
}
}  // namespace

LICE_CachedFont::LICE_CachedFont() {
  SharedRasters& s = Shared();
  std::lock_guard<std::mutex> lock(s.mutex);
  ++s.liveFonts;
}

LICE_CachedFont::~LICE_CachedFont() {
  if (m_flags & LICE_FONT_FLAG_OWNS_HFONT) LICE_DestroyNativeFont(m_font);
  SharedRasters& s = Shared();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (--s.liveFonts > 0) return;
  delete s.render;
  delete s.scratch;
  s.render = s.scratch = nullptr;
}

void LICE_CachedFont::SetFromHFont(LICE_NativeFont* font, int flags) {
  if ((m_flags & LICE_FONT_FLAG_OWNS_HFONT) && m_font && m_font != font)
    LICE_DestroyNativeFont(m_font);
  m_flags = flags;
  m_font = font;
  if (font) {
    SharedRaster render(&SharedRasters::render);
    if (render->getWidth() < 256 || render->getHeight() < 256) {
      render->resize(256, 256);
      LICE_SetTextColor(render->getDC(), 0xFFFFFF);
      LICE_SetBkMode(render->getDC(), 1);
      LICE_SetBkColor(render->getDC(), 0);
    }
    m_line_height = LICE_NativeFontLineHeight(font);
  }
  ClearGlyphs();
  if (flags & LICE_FONT_FLAG_PRECALCALL)
    for (uint32_t code = 0; code < 128; ++code) FindGlyph(code);
}

void LICE_CachedFont::ClearGlyphs() {
  for (GlyphRecord& g : m_lowchars) g = GlyphRecord{};
  m_extended.clear();
  m_coverage.clear();
}

LICE_pixel LICE_CachedFont::SetTextColor(LICE_pixel color) { return std::exchange(m_fg, color); }

LICE_pixel LICE_CachedFont::SetBkColor(LICE_pixel color) { return std::exchange(m_bg, color); }

LICE_pixel LICE_CachedFont::SetEffectColor(LICE_pixel color) {
  return std::exchange(m_effectcol, color);
}

int LICE_CachedFont::SetBkMode(int mode) { return std::exchange(m_bgmode, mode); }

void LICE_CachedFont::SetCombineMode(int mode, float alpha) {
  m_comb_mode = mode;
  m_comb_alpha = alpha;
}

bool LICE_CachedFont::UseNativeEngine(unsigned flags) const {
  if (m_line_height >= 256) return true;
  return (m_flags & LICE_FONT_FLAG_FORCE_NATIVE) && !(m_flags & 0x1F7) &&
         !(flags & LICE_DT_USEFGALPHA) && m_font && (m_lsadj == 0 || (flags & LICE_DT_SINGLELINE));
}

int LICE_CachedFont::DrawText(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect,
                              unsigned flags) {
  if (!text || !rect) return 0;
  if (!(flags & LICE_DT_CALCRECT) && !bitmap) return 0;
  if (UseNativeEngine(flags)) return DrawNative(bitmap, text, length, rect, flags);
  return DrawCached(bitmap, text, length, rect, flags);
}

int LICE_CachedFont::DrawNative(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect,
                                unsigned flags) {
  if (!m_font) return 0;
  flags = (flags & 0x7FFFFFFFu) | LICE_DT_NOPREFIX;
  const int len = length > 0 ? length : -1;

  // Straight into a raster with a context.
  auto drawIn = [&](LICE_DrawContext* dc, RECT* r, unsigned f) {
    LICE_NativeFont* old = LICE_SelectFont(dc, m_font);
    LICE_SetTextColor(dc, ContextColor(m_fg));
    LICE_SetBkMode(dc, m_bgmode);
    if (m_bgmode == 1) LICE_SetBkColor(dc, ContextColor(m_bg));
    const int height = LICE_DrawNativeText(dc, text, len, r, f);
    LICE_SelectFont(dc, old);
    return height;
  };
  if (bitmap && bitmap->getDC()) return drawIn(bitmap->getDC(), rect, flags);

  RECT extent{0, 0, 0, 0};
  const int height = LICE_MeasureNativeText(m_font, text, len, &extent, flags);
  if (flags & LICE_DT_CALCRECT) {
    rect->right = ToInt(int64_t(rect->left) + extent.right);
    rect->bottom = ToInt(int64_t(rect->top) + height);
    return height;
  }

  // A raster without a context: draw over a copy of the covered pixels in the scratch
  // raster, then blend the copy back with the combine weight.
  const RasterView view(bitmap);
  if (view.empty()) return 0;
  RECT area;
  AlignedOrigin(*rect, flags, extent.right, height, area.left, area.top);
  area.right = ToInt(int64_t(area.left) + extent.right);
  area.bottom = ToInt(int64_t(area.top) + height);
  area = Intersect(area, RECT{0, 0, view.width, view.height});
  if (!(flags & LICE_DT_NOCLIP)) area = Intersect(area, *rect);
  if (IsEmpty(area)) return height;

  SharedRaster lease(&SharedRasters::scratch);
  LICE_SysBitmap* scratch = lease.get();
  const int w = area.right - area.left, h = area.bottom - area.top;
  scratch->resize(w, h);
  if (scratch->getWidth() != w || !scratch->getDC()) return 0;
  LICE_Blit(scratch, bitmap, 0, 0, area.left, area.top, w, h, 1.0f, LICE_BLIT_MODE_COPY);
  // area lies inside the raster, so only the rectangle's own edges can be extreme.
  RECT shifted{ToInt(int64_t(rect->left) - area.left), ToInt(int64_t(rect->top) - area.top),
               ToInt(int64_t(rect->right) - area.left), ToInt(int64_t(rect->bottom) - area.top)};
  drawIn(scratch->getDC(), &shifted, flags | LICE_DT_NOCLIP);
  LICE_Blit(bitmap, scratch, area.left, area.top, 0, 0, w, h, m_comb_alpha, LICE_BLIT_MODE_COPY);
  return height;
}

int LICE_CachedFont::DrawCached(LICE_IBitmap* bitmap, const char* text, int length, RECT* rect,
                                unsigned flags) {
  const bool measure = (flags & LICE_DT_CALCRECT) != 0;
  const bool vertical = (m_flags & LICE_FONT_FLAG_VERTICAL) != 0;
  const bool bottomUp = vertical && (m_flags & LICE_FONT_FLAG_VERTICAL_BOTTOMUP);
  float alpha = m_comb_alpha;
  if (flags & LICE_DT_USEFGALPHA) alpha *= float(LICE_GETA(m_fg)) / 255.0f;
  const int weight = WeightOf(alpha);
  // Measuring does not depend on the weight: transparent text still has a size.
  if (!measure && weight == 0) return 0;

  int x = rect->left, y = rect->top;
  if (bottomUp) y = rect->bottom;
  RECT clip{0, 0, 0, 0};
  if (!measure) {
    if (flags & kAlignFlags) {
      RECT extent{0, 0, 0, 0};
      DrawCached(nullptr, text, length, &extent, (flags & ~kAlignFlags) | LICE_DT_CALCRECT);
      AlignedOrigin(*rect, flags, extent.right, extent.bottom, x, y);
      if (bottomUp) y += extent.bottom;
    }
    const RasterView view(bitmap);
    clip = RECT{0, 0, view.width, view.height};
    if (!(flags & LICE_DT_NOCLIP)) clip = Intersect(clip, *rect);
    if (IsEmpty(clip)) return 0;
  }

  // The pen walks along the line (x, or y for vertical fonts); `across` is the line's offset.
  const int lineStep = m_line_height + m_lsadj;
  // 64-bit pen: rectangles may reach the ends of the int range.
  const int64_t startAlong = vertical ? y : x;
  int64_t along = startAlong, across = 0, longest = 0;
  int lines = 1;
  Utf8Reader reader(text, length > 0 ? length : -1);
  uint32_t code;
  while (reader.Next(code)) {
    if (code == '\r') continue;
    if (code == '\n') {
      if (!(flags & LICE_DT_SINGLELINE)) {
        longest = std::max<int64_t>(longest, std::llabs(along - startAlong));
        along = startAlong;
        across += lineStep;
        ++lines;
        continue;
      }
      code = ' ';
    }
    const GlyphRecord* g = FindGlyph(code);
    if (!g) continue;
    if (bottomUp) along -= g->advance;
    if (!measure) {
      const int64_t gx = vertical ? x + across : along, gy = vertical ? along : y + across;
      if (m_bgmode == 1) {
        const int cw = vertical ? m_line_height : g->advance,
                  ch = vertical ? g->advance : m_line_height;
        const RECT cell = Intersect(Box(gx, gy, cw, ch), clip);
        if (!IsEmpty(cell))
          LICE_FillRect(bitmap, cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                        m_bg, float(weight) / 256.0f, m_comb_mode);
      }
      BlendGlyph(bitmap, *g, gx, gy, clip, weight);
    }
    if (!bottomUp) along += g->advance;
  }
  longest = std::max<int64_t>(longest, std::llabs(along - startAlong));
  const int depth = lines * m_line_height + (lines - 1) * m_lsadj;
  if (measure) {
    rect->right = ToInt(int64_t(rect->left) + (vertical ? depth : longest));
    rect->bottom = ToInt(int64_t(rect->top) + (vertical ? longest : depth));
  }
  return depth;  // the height of horizontal text, the width of vertical text
}

bool LICE_CachedFont::DrawGlyph(LICE_IBitmap* bitmap, uint32_t code, int x, int y,
                                const RECT* clip) {
  const RasterView view(bitmap);
  const GlyphRecord* g = view.empty() ? nullptr : FindGlyph(code);
  if (!g) return false;
  RECT area{0, 0, view.width, view.height};
  if (clip) area = Intersect(area, *clip);
  return BlendGlyph(bitmap, *g, x, y, area, WeightOf(m_comb_alpha));
}

// Each pixel is blended with weight · coverage / 255 through the combine mode's operator.
bool LICE_CachedFont::BlendGlyph(LICE_IBitmap* bitmap, const GlyphRecord& g, int64_t x, int64_t y,
                                 const RECT& clip, int weight) {
  if (g.coverage <= 0 || weight <= 0) return false;
  const RasterView view(bitmap);
  const RECT area =
      Intersect(Intersect(Box(x, y, g.width, g.height), clip), RECT{0, 0, view.width, view.height});
  if (IsEmpty(area)) return false;
  const uint8_t* map = m_coverage.data() + (g.coverage - 1);
  return WithOperator(m_comb_mode, [&](const auto& blend) {
    for (int py = area.top; py < area.bottom; ++py) {
      const uint8_t* coverage = map + size_t(py - y) * size_t(g.width) + size_t(area.left - x);
      LICE_pixel* row = view.row(py);
      for (int px = area.left; px < area.right; ++px) {
        const int w = (coverage[px - area.left] * weight) / 255;
        if (w > 0) blend(PixelBytes(row + px), m_fg, w);
      }
    }
  });
}

LICE_CachedFont::GlyphRecord* LICE_CachedFont::RecordFor(uint32_t code) {
  if (code < 128) return &m_lowchars[code];
  auto at = std::lower_bound(m_extended.begin(), m_extended.end(), code,
                             [](const GlyphRecord& g, uint32_t c) { return uint32_t(g.code) < c; });
  if (at != m_extended.end() && uint32_t(at->code) == code) return &*at;
  if (m_flags & LICE_FONT_FLAG_PRECALCALL) return nullptr;
  GlyphRecord record;
  record.code = int32_t(code);
  return &*m_extended.insert(at, record);
}

const LICE_CachedFont::GlyphRecord* LICE_CachedFont::FindGlyph(uint32_t code) {
  if (code > 0x10FFFF) return nullptr;
  GlyphRecord* record = RecordFor(code);
  if (!record) return nullptr;
  if (record->coverage == 0) RenderGlyph(*record, code);
  return record->coverage > 0 ? record : nullptr;
}

// Renders white on black on the shared render raster and keeps the green byte as coverage.
// The glyph is drawn at the box origin; the box is widened to the right for overhangs, so a
// glyph reaching left of its origin loses that part.
void LICE_CachedFont::RenderGlyph(GlyphRecord& record, uint32_t code) {
  record.code = int32_t(code);
  record.coverage = -1;
  if (!m_font || m_line_height > kMaxCachedLineHeight) return;
  SharedRaster lease(&SharedRasters::render);
  LICE_SysBitmap* render = lease.get();
  LICE_DrawContext* dc = render->getDC();
  if (!dc) return;

  char utf8[4];
  const int bytes = EncodeUtf8(code, utf8);
  LICE_NativeFont* old = LICE_SelectFont(dc, m_font);
  RECT box{0, 0, 0, 0};
  LICE_DrawNativeText(dc, utf8, bytes, &box,
                      LICE_DT_NOPREFIX | LICE_DT_SINGLELINE | LICE_DT_CALCRECT);
  const int advance = box.right;
  box.right += 2 + (m_line_height >= 16 ? m_line_height / 16 : 0);  // room for overhangs
  box = Intersect(box, RECT{0, 0, render->getWidth(), render->getHeight()});
  if (!IsEmpty(box)) {
    LICE_ClearRect(render, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0);
    LICE_DrawNativeText(dc, utf8, bytes, &box, LICE_DT_NOPREFIX | LICE_DT_SINGLELINE);
  }
  LICE_SelectFont(dc, old);
  if (IsEmpty(box) || advance <= 0) return;

  const bool rotate = (m_flags & LICE_FONT_FLAG_ROTATE_GLYPHS) != 0;
  const int w = box.right, h = box.bottom;
  const size_t start = m_coverage.size();
  try {
    m_coverage.resize(start + size_t(w) * size_t(h));
  } catch (const std::bad_alloc&) {
    record.coverage = 0;  // try again next time
    return;
  }
  const RasterView view(render);
  uint8_t* out = m_coverage.data() + start;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t coverage = PixelBytes(view.row(y) + x)[LICE_PIXEL_G];
      // Turned clockwise, source row y becomes column h − 1 − y.
      if (rotate)
        out[size_t(x) * h + (h - 1 - y)] = coverage;
      else
        out[size_t(y) * w + x] = coverage;
    }
  record.width = rotate ? h : w;
  record.height = rotate ? w : h;
  record.advance = advance;
  record.coverage = int32_t(start + 1);
}
