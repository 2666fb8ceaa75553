// Bitmap handles over the process-wide cache: loading, run-time rasters, scaling, cropping.
#include "BitmapCache.h"
#include "IGraphics.h"
#include "LICE.h"

IBitmap IGraphics::LoadIBitmap(int id, const char* name, int nStates, bool framesAreHorizontal) {
  LICE_IBitmap* raster = BitmapCache::Load(id, [&] { return OSLoadBitmap(id, name); });
  if (!raster) return IBitmap(nullptr, 0, 0, nStates, framesAreHorizontal);
  return IBitmap(raster, raster->getWidth(), raster->getHeight(), nStates, framesAreHorizontal);
}

void IGraphics::RetainBitmap(IBitmap* bitmap) {
  if (bitmap) BitmapCache::Retain(bitmap->mData);
}

void IGraphics::ReleaseBitmap(IBitmap* bitmap) {
  if (bitmap) BitmapCache::Release(bitmap->mData);
}

IBitmap IGraphics::ScaleBitmap(IBitmap* src, int destW, int destH) {
  if (!src || !src->mData || destW <= 0 || destH <= 0) return IBitmap();
  auto* dest = new LICE_MemBitmap(destW, destH, 4);
  LICE_ScaledBlit(dest, src->mData, 0, 0, destW, destH, 0.0f, 0.0f, static_cast<float>(src->W),
                  static_cast<float>(src->H), 1.0f,
                  LICE_BLIT_MODE_COPY | LICE_BLIT_FILTER_BILINEAR);
  IBitmap result(dest, destW, destH, src->N, false);
  RetainBitmap(&result);
  return result;
}

IBitmap IGraphics::CropBitmap(IBitmap* src, IRECT* r) {
  if (!src || !src->mData || !r || r->W() <= 0 || r->H() <= 0) return IBitmap();
  auto* dest = new LICE_MemBitmap(r->W(), r->H(), 4);
  LICE_Blit(dest, src->mData, 0, 0, r->L, r->T, r->W(), r->H(), 1.0f, LICE_BLIT_MODE_COPY);
  IBitmap result(dest, r->W(), r->H(), src->N, false);
  RetainBitmap(&result);
  return result;
}
