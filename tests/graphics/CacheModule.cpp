// A loadable module that fills the process-wide caches the way an editor in a plug-in does,
// so a test can unload it (dlclose) with rasters and fonts still cached.
#include "LICE_Bitmap.h"
#include "graphics/BitmapCache.h"
#include "graphics/FontCache.h"
#include "graphics/IGraphicsStructs.h"

// Caches one decoded image and two fonts; returns how many of the three were made.
extern "C" __attribute__((visibility("default"))) int FillCaches() {
  const int made = BitmapCache::Load(1, [] {
                     return static_cast<LICE_IBitmap*>(new LICE_MemBitmap(16, 16));
                   }) != nullptr;
  IText plain(12, COLOR_BLACK, "DejaVu Sans");
  IText bold(20, COLOR_BLACK, "DejaVu Sans", IText::kStyleBold);
  return made + (FontCache::Get(plain) != nullptr) + (FontCache::Get(bold) != nullptr);
}
