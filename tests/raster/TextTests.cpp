// Text: measuring, alignment, both drawing paths, UTF-8, and a rendered reference image.
// The fonts come from fontconfig; "Monaco" is not installed here and stands for the
// monospace fallback (DejaVu Sans Mono).
#include "LICE_CachedFont.h"
#include "LICE_PNG.h"
#include "RasterTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <memory>

using namespace rastertest;

namespace {
constexpr int kEditorFlags = LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE;
const char* const kNonAscii =
    "Gr\xC3\xB6\xC3\x9F"
    "e \xE2\x88\x92"
    "3 dB";  // "Größe −3 dB"

std::unique_ptr<LICE_CachedFont> MakeFont(int height, int flags = kEditorFlags,
                                          const char* face = "Monaco") {
  auto font = std::make_unique<LICE_CachedFont>();
  LICE_NativeFont* native = LICE_CreateNativeFont(height, 0, 0, 0, 400, false, 0, face);
  EXPECT_NE(native, nullptr) << "no font found through fontconfig";
  font->SetFromHFont(native, flags);
  return font;
}

// Measures with the given extra flags; returns {width, height}.
std::pair<int, int> Measure(LICE_CachedFont& font, const char* text, unsigned flags = 0) {
  RECT r{10, 20, 10, 20};
  const int h = font.DrawText(nullptr, text, -1, &r, flags | LICE_DT_CALCRECT);
  EXPECT_EQ(r.bottom - r.top, h);
  return {r.right - r.left, r.bottom - r.top};
}

// Bounding box of the pixels that differ from `background`; left > right when none do.
RECT Ink(LICE_IBitmap& bm, LICE_pixel background) {
  RECT box{INT32_MAX, INT32_MAX, -1, -1};
  for (int y = 0; y < bm.getHeight(); ++y)
    for (int x = 0; x < bm.getWidth(); ++x)
      if (LICE_GetPixel(&bm, x, y) != background)
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y)};
  return box;
}

int MaxChannelDifference(LICE_IBitmap& a, LICE_IBitmap& b) {
  int worst = 0;
  for (int y = 0; y < a.getHeight(); ++y)
    for (int x = 0; x < a.getWidth(); ++x)
      for (int c = 1; c < 4; ++c)
        worst = std::max(worst, std::abs(Channel(LICE_GetPixel(&a, x, y), c) -
                                         Channel(LICE_GetPixel(&b, x, y), c)));
  return worst;
}
}  // namespace

TEST(CachedFont, MeasuresSingleAndMultiLineTextTheSameOnBothPaths) {
  auto font = MakeFont(12);
  EXPECT_EQ(font->GetLineHeight(), 12);
  const int advance = Measure(*font, "M").first;
  ASSERT_GT(advance, 3);
  EXPECT_EQ(Measure(*font, "Hello"), std::make_pair(5 * advance, 12));
  // Two lines: the longer line's width and two line heights; single-line: a space.
  EXPECT_EQ(Measure(*font, "ab\nwxyz"), std::make_pair(4 * advance, 24));
  EXPECT_EQ(Measure(*font, "ab\r\nwxyz"), std::make_pair(4 * advance, 24));
  EXPECT_EQ(Measure(*font, "ab\nwxyz", LICE_DT_SINGLELINE), std::make_pair(7 * advance, 12));
  // The glyph cache (text using its colour's alpha) measures the same, also at alpha 0.
  font->SetTextColor(LICE_ARGB(0, 0, 0, 0));
  EXPECT_EQ(Measure(*font, "ab\nwxyz", LICE_DT_USEFGALPHA), std::make_pair(4 * advance, 24));
  EXPECT_EQ(Measure(*font, "ab\nwxyz", LICE_DT_USEFGALPHA | LICE_DT_SINGLELINE),
            std::make_pair(7 * advance, 12));
  // A length limit cuts the text.
  RECT r{0, 0, 0, 0};
  font->DrawText(nullptr, "Hello", 2, &r, LICE_DT_CALCRECT);
  EXPECT_EQ(r.right, 2 * advance);
}

TEST(CachedFont, RightAndCentreAlignmentPlaceTheTextLikeLeftAlignmentAtTheComputedPosition) {
  auto font = MakeFont(12);
  const int width = Measure(*font, "Gain").first;
  for (unsigned path : {0u, unsigned(LICE_DT_USEFGALPHA)}) {
    font->SetTextColor(LICE_ARGB(255, 0, 0, 0));
    LICE_SysBitmap aligned(120, 30), placed(120, 30);
    for (unsigned align : {unsigned(LICE_DT_RIGHT), unsigned(LICE_DT_CENTER)}) {
      Fill(aligned, 0xFFFFFFFF);
      Fill(placed, 0xFFFFFFFF);
      RECT r{10, 5, 101, 25};
      font->DrawText(&aligned, "Gain", -1, &r, align | path);
      const int left = align == LICE_DT_RIGHT ? 101 - width : 10 + (91 - width) / 2;
      RECT at{left, 5, 120, 25};
      font->DrawText(&placed, "Gain", -1, &at, path);
      EXPECT_EQ(MaxChannelDifference(aligned, placed), 0) << "align " << align << " path " << path;
      const RECT ink = Ink(aligned, 0xFFFFFFFF);
      EXPECT_LE(ink.right, 100);
      if (align == LICE_DT_RIGHT) {
        EXPECT_GE(ink.right, 101 - 3) << "the last glyph ends at the right edge";
      }
    }
  }
}

TEST(CachedFont, GlyphCacheDrawsAtHalfWeightWithHalfAlphaAndNothingAtZero) {
  auto font = MakeFont(14);
  LICE_MemBitmap full(80, 20), half(80, 20);
  Fill(full, 0xFFFFFFFF);
  Fill(half, 0xFFFFFFFF);
  RECT r{2, 2, 80, 20};
  font->SetTextColor(LICE_ARGB(255, 0, 0, 0));
  EXPECT_EQ(font->DrawText(&full, "Wg#", -1, &r, LICE_DT_USEFGALPHA), 14);
  font->SetTextColor(LICE_ARGB(128, 0, 0, 0));
  font->DrawText(&half, "Wg#", -1, &r, LICE_DT_USEFGALPHA);
  int darkest = 255;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      const int f = int(LICE_GETG(LICE_GetPixel(&full, x, y))),
                h = int(LICE_GETG(LICE_GetPixel(&half, x, y)));
      // Half the weight moves half as far from white: h ≈ (255 + f) / 2.
      ASSERT_NEAR(h, (255 + f) / 2, 1) << "at " << x << "," << y;
      darkest = std::min(darkest, h);
    }
  EXPECT_LE(darkest, 128);  // fully covered pixels exist and reach half black

  font->SetTextColor(LICE_ARGB(0, 0, 0, 0));
  LICE_MemBitmap none(80, 20);
  Fill(none, 0xFFFFFFFF);
  EXPECT_EQ(font->DrawText(&none, "Wg#", -1, &r, LICE_DT_USEFGALPHA), 0);
  EXPECT_GT(Ink(none, 0xFFFFFFFF).left, Ink(none, 0xFFFFFFFF).right);
}

TEST(CachedFont, BothPathsDrawTheSameGlyphsIncludingNonAscii) {
  auto font = MakeFont(13);
  const int advance = Measure(*font, "0").first;
  EXPECT_EQ(Measure(*font, kNonAscii), std::make_pair(11 * advance, 13));  // 11 code points

  LICE_SysBitmap native(120, 20);
  LICE_MemBitmap viaScratch(120, 20), cached(120, 20);
  for (LICE_IBitmap* bm :
       {static_cast<LICE_IBitmap*>(&native), static_cast<LICE_IBitmap*>(&viaScratch),
        static_cast<LICE_IBitmap*>(&cached)})
    Fill(*bm, LICE_ARGB(255, 250, 240, 230));
  font->SetTextColor(LICE_ARGB(255, 20, 40, 160));
  RECT r{3, 3, 120, 20};
  font->DrawText(&native, kNonAscii, -1, &r, 0);      // the context's own text engine
  font->DrawText(&viaScratch, kNonAscii, -1, &r, 0);  // scratch raster, blended back
  font->DrawText(&cached, kNonAscii, -1, &r, LICE_DT_USEFGALPHA);
  EXPECT_EQ(MaxChannelDifference(native, viaScratch), 0);
  EXPECT_LE(MaxChannelDifference(native, cached), 2);  // rounding of the two blends
  const RECT ink = Ink(native, LICE_ARGB(255, 250, 240, 230));
  EXPECT_LE(ink.left, 3 + advance);
  EXPECT_GE(ink.right, 3 + 10 * advance);  // "B" at the end was drawn
  // Native text leaves the alpha byte alone.
  EXPECT_EQ(LICE_GETA(LICE_GetPixel(&native, ink.left + 1, 8)), 255u);

  // Codes above 127 arrive in any order; each finds its own cached glyph again.
  const char* const scrambled =
      "\xD0\xAF\xCE\xA9\xD0\x96\xCE\xBB\xD0\x91\xCF\x80\xD0\x94\xCF\x83"
      "\xCE\xA9\xD0\xAF\xCE\xB2\xD0\x96";  // "ЯΩЖλБπДσΩЯβЖ"
  for (LICE_IBitmap* bm :
       {static_cast<LICE_IBitmap*>(&native), static_cast<LICE_IBitmap*>(&cached)})
    Fill(*bm, LICE_ARGB(255, 250, 240, 230));
  font->DrawText(&native, scrambled, -1, &r, 0);
  font->DrawText(&cached, scrambled, -1, &r, LICE_DT_USEFGALPHA);
  EXPECT_LE(MaxChannelDifference(native, cached), 2);
  EXPECT_EQ(Measure(*font, scrambled).first, 12 * advance);

  // Codes above 127 are not drawn by a font that renders only 0..127 at once.
  auto ascii = MakeFont(13, LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_PRECALCALL);
  EXPECT_EQ(Measure(*ascii, kNonAscii).first, 8 * advance);
}

TEST(CachedFont, GlyphCacheOptions) {
  // Opaque background fills each glyph cell.
  auto font = MakeFont(12);
  LICE_MemBitmap bm(60, 20);
  Fill(bm, 0xFFFFFFFF);
  font->SetBkMode(1);
  font->SetBkColor(LICE_ARGB(255, 255, 0, 0));
  font->SetTextColor(LICE_ARGB(255, 0, 0, 0));
  RECT r{0, 0, 60, 20};
  font->DrawText(&bm, "  ", -1, &r, LICE_DT_USEFGALPHA);
  const int advance = Measure(*font, " ").first;
  EXPECT_EQ(LICE_GetPixel(&bm, 2 * advance - 1, 11), LICE_ARGB(255, 255, 0, 0));
  EXPECT_EQ(LICE_GetPixel(&bm, 2 * advance, 11), 0xFFFFFFFFu);
  EXPECT_EQ(LICE_GetPixel(&bm, 0, 12), 0xFFFFFFFFu);

  // Vertical fonts run down the page.
  auto vertical = MakeFont(
      12, LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_VERTICAL | LICE_FONT_FLAG_ROTATE_GLYPHS);
  RECT column{0, 0, 0, 0};
  EXPECT_EQ(vertical->DrawText(nullptr, "abc", -1, &column, LICE_DT_CALCRECT), 12);  // its width
  EXPECT_EQ(column.right, 12);
  EXPECT_EQ(column.bottom, 3 * advance);

  // A font with 1024-pixel lines never caches glyphs.
  auto huge = MakeFont(1024);
  EXPECT_EQ(huge->GetLineHeight(), 1024);
  EXPECT_FALSE(huge->DrawGlyph(&bm, 'A', 0, 0, nullptr));
  EXPECT_TRUE(font->DrawGlyph(&bm, 'A', 0, 0, nullptr));

  // Rectangles reaching the ends of the int range neither overflow nor draw outside.
  for (unsigned flags : {0u, unsigned(LICE_DT_USEFGALPHA)})
    for (unsigned align : {0u, unsigned(LICE_DT_RIGHT | LICE_DT_BOTTOM),
                           unsigned(LICE_DT_CENTER | LICE_DT_VCENTER)}) {
      RECT wide{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
      font->DrawText(&bm, "x\ny", -1, &wide, flags | align);
      RECT corner{INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX};
      font->DrawText(&bm, "wide text", -1, &corner, flags | align | LICE_DT_NOCLIP);
      LICE_SysBitmap sys(20, 20);
      font->DrawText(&sys, "x\ny", -1, &wide, flags | align);
    }

  // Without a raster nothing is drawn; a font without native font draws nothing.
  EXPECT_EQ(font->DrawText(nullptr, "x", -1, &r, 0), 0);
  LICE_CachedFont empty;
  EXPECT_EQ(empty.DrawText(&bm, "x", -1, &r, LICE_DT_USEFGALPHA), 0);
}

// Text rendered into a raster against a reviewed image in this folder. Anti-aliasing may
// differ a little between FreeType versions, hence the tolerance. TUNDRAX_WRITE_REFERENCE=1
// writes the image instead.
TEST(CachedFont, RenderedTextMatchesTheReferenceImage) {
  LICE_SysBitmap bm(240, 64);
  Fill(bm, LICE_ARGB(255, 240, 236, 228));
  auto font = MakeFont(12);
  auto bold = std::make_unique<LICE_CachedFont>();
  bold->SetFromHFont(LICE_CreateNativeFont(16, 0, 0, 0, 700, false, 0, "DejaVu Sans"),
                     kEditorFlags);

  font->SetTextColor(LICE_ARGB(255, 0, 0, 0));
  RECT line1{4, 2, 236, 16};
  font->DrawText(&bm, "Threshold -18.0 dB", -1, &line1, 0);
  font->SetTextColor(LICE_ARGB(128, 160, 0, 0));
  RECT line2{4, 16, 236, 30};
  font->DrawText(&bm, kNonAscii, -1, &line2, LICE_DT_USEFGALPHA | LICE_DT_RIGHT);
  bold->SetTextColor(LICE_ARGB(255, 20, 60, 140));
  RECT line3{4, 30, 236, 62};
  bold->DrawText(&bm, "Warmth\nClick", -1, &line3, LICE_DT_CENTER);

  const std::string reference = std::string(TUNDRAX_RASTER_TEST_DIR) + "/text_reference.png";
  if (getenv("TUNDRAX_WRITE_REFERENCE")) {
    ASSERT_TRUE(LICE_WritePNG(reference.c_str(), &bm, false));
    GTEST_SKIP() << "wrote " << reference;
  }
  std::unique_ptr<LICE_IBitmap> expected(LICE_LoadPNG(reference.c_str()));
  ASSERT_NE(expected, nullptr) << reference;
  ASSERT_EQ(expected->getWidth(), 240);
  ASSERT_EQ(expected->getHeight(), 64);
  long total = 0;
  int far = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 240; ++x)
      for (int c = 1; c < 4; ++c) {
        const int d = std::abs(Channel(LICE_GetPixel(&bm, x, y), c) -
                               Channel(LICE_GetPixel(expected.get(), x, y), c));
        total += d;
        far += d > 64;
      }
  EXPECT_LT(double(total) / (240 * 64 * 3), 2.0) << "mean difference per channel";
  EXPECT_LT(far, 240) << "channels more than 64 apart";
}
