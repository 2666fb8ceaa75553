// Native fonts on Linux: fontconfig finds the file for a family, FreeType renders it, and
// each font keeps every glyph it has rendered for the next time it is drawn.
#include "../LICE_Platform.h"
#include "LICE_FontSystem.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <utility>
#include <strings.h>

namespace {
// The FreeType library and the fontconfig configuration exist while at least one native font
// does; the count and both handles are guarded by one mutex, as FreeType asks for when faces
// are created and destroyed from several threads.
struct FontSystem {
  std::mutex mutex;
  int liveFonts = 0;
  FT_Library library = nullptr;
  FcConfig* config = nullptr;
};

FontSystem& Fonts() {
  static FontSystem system;
  return system;
}

// Stands in when the asked family is not installed, in this order.
const char* const kFallbackFamilies[] = {"DejaVu Sans Mono", "monospace"};

// Finds the file of a family; requireFamily refuses fontconfig's substitutes.
bool FindFontFile(FcConfig* config, const char* family, int weight, bool italic, bool requireFamily,
                  FcChar8** file, int* index, FcPattern** keep) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return false;

  bool familyMatches = !requireFamily;
  FcChar8* name = nullptr;
  for (int i = 0; !familyMatches && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch;
       ++i)
    familyMatches = strcasecmp(reinterpret_cast<const char*>(name), family) == 0;
  if (!familyMatches || FcPatternGetString(match, FC_FILE, 0, file) != FcResultMatch) {
    FcPatternDestroy(match);
    return false;
  }
  if (FcPatternGetInteger(match, FC_INDEX, 0, index) != FcResultMatch) *index = 0;
  *keep = match;  // owns *file
  return true;
}

// Opens the face for the family or a fallback; call with the system's mutex held.
FT_Face OpenFace(FontSystem& fonts, const char* family, int weight, bool italic) {
  const char* tries[3] = {family && *family ? family : nullptr, kFallbackFamilies[0],
                          kFallbackFamilies[1]};
  for (int i = 0; i < 3; ++i) {
    if (!tries[i]) continue;
    FcChar8* file = nullptr;
    int index = 0;
    FcPattern* match = nullptr;
    if (!FindFontFile(fonts.config, tries[i], weight, italic, i < 2, &file, &index, &match))
      continue;
    FT_Face face = nullptr;
    const FT_Error error =
        FT_New_Face(fonts.library, reinterpret_cast<const char*>(file), index, &face);
    FcPatternDestroy(match);
    if (!error) return face;
  }
  return nullptr;
}

bool AcquireFontSystem(FontSystem& fonts) {
  if (fonts.liveFonts == 0) {
    if (FT_Init_FreeType(&fonts.library)) return false;
    fonts.config = FcInitLoadConfigAndFonts();
    if (!fonts.config) {
      FT_Done_FreeType(fonts.library);
      return false;
    }
  }
  ++fonts.liveFonts;
  return true;
}

void ReleaseFontSystem(FontSystem& fonts) {
  if (--fonts.liveFonts > 0) return;
  FT_Done_FreeType(fonts.library);
  FcConfigDestroy(fonts.config);
  fonts.library = nullptr;
  fonts.config = nullptr;
}

// Sizes a scalable face: height > 0 is the line height (ascent + descent), height < 0 the em.
bool SizeFace(LICE_NativeFont& font, int height) {
  FT_Face face = font.face;
  if (!FT_IS_SCALABLE(face) || face->ascender - face->descender <= 0) return false;
  const double cell = double(face->ascender - face->descender);
  const double units = face->units_per_EM;
  if (height == 0) height = 12;
  const double em = height > 0 ? height * units / cell : -double(height);
  font.lineHeight = height > 0 ? height : std::max(1, int(std::lround(em * cell / units)));
  font.ascent = int(std::lround(font.lineHeight * face->ascender / cell));
  const FT_F26Dot6 size = std::max<FT_F26Dot6>(1, FT_F26Dot6(std::lround(em * 64.0)));
  return FT_Set_Char_Size(face, 0, size, 72, 72) == 0;
}
}  // namespace

LICE_NativeFont* LICE_CreateNativeFont(int height, int width, int escapement, int orientation,
                                       int weight, bool italic, int quality, const char* face) {
  (void)width;  // glyphs keep their natural proportions
  if (height < -4096 || height > 4096) return nullptr;
  FontSystem& fonts = Fonts();
  std::lock_guard<std::mutex> lock(fonts.mutex);
  if (!AcquireFontSystem(fonts)) return nullptr;

  auto* font = new LICE_NativeFont;
  font->face = OpenFace(fonts, face, weight, italic);
  if (!font->face || !SizeFace(*font, height)) {
    if (font->face) FT_Done_Face(font->face);
    delete font;
    ReleaseFontSystem(fonts);
    return nullptr;
  }
  font->loadFlags = quality == 3 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  font->escapement = escapement;
  font->orientation = orientation;
  return font;
}

void LICE_DestroyNativeFont(LICE_NativeFont* font) {
  if (!font) return;
  FontSystem& fonts = Fonts();
  std::lock_guard<std::mutex> lock(fonts.mutex);
  FT_Done_Face(font->face);
  delete font;
  ReleaseFontSystem(fonts);
}

int LICE_NativeFontLineHeight(const LICE_NativeFont* font) { return font ? font->lineHeight : 0; }

namespace lice {
int GlyphAdvance(LICE_NativeFont* font, uint32_t code) {
  const GlyphImage* glyph = RenderGlyph(font, code);
  return glyph ? glyph->advance : 0;
}

const GlyphImage* RenderGlyph(LICE_NativeFont* font, uint32_t code) {
  if (auto found = font->glyphs.find(code); found != font->glyphs.end()) return &found->second;
  if (FT_Load_Char(font->face, code, FT_LOAD_RENDER | font->loadFlags)) return nullptr;
  const FT_GlyphSlot slot = font->face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  GlyphImage image;
  image.advance = int((slot->advance.x + 32) >> 6);
  image.left = slot->bitmap_left;
  image.top = -slot->bitmap_top;
  // Only 8-bit grey and 1-bit images have coverage; anything else counts as empty.
  const bool mono = bm.pixel_mode == FT_PIXEL_MODE_MONO;
  if ((mono || bm.pixel_mode == FT_PIXEL_MODE_GRAY) && bm.pitch >= 0) {
    image.width = int(bm.width);
    image.height = int(bm.rows);
    image.coverage.resize(size_t(image.width) * size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
      const unsigned char* row = bm.buffer + size_t(y) * size_t(bm.pitch);
      for (int x = 0; x < image.width; ++x)
        image.coverage[size_t(y) * image.width + x] =
            mono ? uint8_t(((row[x >> 3] >> (7 - (x & 7))) & 1) * 255) : row[x];
    }
  }
  return &font->glyphs.emplace(code, std::move(image)).first->second;
}
}  // namespace lice
