#include "FontCache.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "IGraphicsStructs.h"
#include "LICE_CachedFont.h"
#include "LICE_Platform.h"

namespace {
struct Key {
  std::string face;
  int size, orientation, style, quality;
  bool operator==(const Key&) const = default;
};

struct Entry {
  Key key;
  std::unique_ptr<LICE_CachedFont> font;
};

struct Cache {
  std::mutex mutex;
  std::vector<Entry> entries;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Deletes the fonts at unload. Made after the first font, so it is destroyed before the
// raster library's own process-wide font state, which deleting a font still uses.
struct Cleaner {
  ~Cleaner() {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    cache.entries.clear();
  }
};

void EnsureCleaner() { static Cleaner cleaner; }

LICE_IFont* Find(Cache& cache, const Key& key) {
  for (auto& e : cache.entries) {
    if (e.key == key) return e.font.get();
  }
  return nullptr;
}

int NativeQuality(int quality) {
  switch (quality) {
    case IText::kQualityDefault:
      return 0;
    case IText::kQualityAntiAliased:
    case IText::kQualityClearType:
      return 4;
    default:
      return 3;  // not anti-aliased
  }
}

LICE_NativeFont* MakeNativeFont(const IText& text, int height) {
  const int angle = text.mOrientation * 10;
  return LICE_CreateNativeFont(
      height, 0, angle, angle, text.mStyle == IText::kStyleBold ? 700 : 400,
      text.mStyle == IText::kStyleItalic, NativeQuality(text.mQuality), text.mFont);
}

// A font whose line height matches the asked size as closely as the face allows: when the
// first attempt comes out at another line height, the height is scaled once to fit.
std::unique_ptr<LICE_CachedFont> MakeFont(const IText& text) {
  constexpr int kFlags = LICE_FONT_FLAG_OWNS_HFONT | LICE_FONT_FLAG_FORCE_NATIVE;
  int h = std::max(text.mSize, 2);
  LICE_NativeFont* native = MakeNativeFont(text, h);
  if (!native) return nullptr;
  auto font = std::make_unique<LICE_CachedFont>();
  font->SetFromHFont(native, kFlags);
  const int lineHeight = font->GetLineHeight();
  if (lineHeight > 0 && lineHeight != h) {
    h = std::max(2, static_cast<int>(double(h) * double(h) / double(lineHeight) + 0.5));
    if (LICE_NativeFont* fitted = MakeNativeFont(text, h)) font->SetFromHFont(fitted, kFlags);
  }
  return font;
}
}  // namespace

LICE_IFont* FontCache::Get(const IText& text) {
  Key key{std::string(text.mFont, strnlen(text.mFont, sizeof(text.mFont))), text.mSize,
          text.mOrientation, text.mStyle, text.mQuality};
  Cache& cache = TheCache();
  {
    std::lock_guard lock(cache.mutex);
    if (LICE_IFont* font = Find(cache, key)) return font;
  }
  std::unique_ptr<LICE_CachedFont> made = MakeFont(text);
  if (!made) return nullptr;
  EnsureCleaner();
  std::lock_guard lock(cache.mutex);
  if (LICE_IFont* font = Find(cache, key)) return font;  // another thread was quicker
  cache.entries.push_back(Entry{std::move(key), std::move(made)});
  return cache.entries.back().font.get();
}

int FontCache::Size() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  return static_cast<int>(cache.entries.size());
}
