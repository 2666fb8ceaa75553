#pragma once
// PNG decoding into 32-bit rasters (A, R, G, B bytes, not premultiplied). Every colour type
// and bit depth is accepted: palettes and grey are expanded, transparency chunks become an
// alpha channel, 16-bit channels keep their high byte, and images without alpha get 255.
// Undecodable, truncated or absurdly large images (more than 16384 pixels on a side or
// 256 MiB of pixels) give null; nothing is printed and nothing leaks.

#include "LICE_Bitmap.h"

#include <cstddef>

// Decodes the file into `bitmap` (resized to the image) or, when that is null, into a new
// LICE_MemBitmap. Returns the raster, or null on failure; a new raster is deleted then, a
// passed one is left to its owner (its pixels may have changed).
LICE_IBitmap* LICE_LoadPNG(const char* path, LICE_IBitmap* bitmap = nullptr);
// The same from bytes in memory (resources compiled into the plug-in).
LICE_IBitmap* LICE_LoadPNGFromMemory(const void* data, size_t size, LICE_IBitmap* bitmap = nullptr);
