#pragma once
// PNG decoding into 32-bit rasters (A, R, G, B bytes, not premultiplied), and encoding back.
// Decoding accepts every colour type and bit depth: palettes and grey are expanded,
// transparency chunks become an alpha channel, 16-bit channels keep their high byte, and
// images without alpha get 255. Undecodable, truncated or absurdly large images (more than
// 16384 pixels on a side or 256 MiB of pixels) give null; nothing is printed and nothing leaks.

#include "LICE_Bitmap.h"

#include <cstddef>

// Decodes the file into `bitmap` (resized to the image) or, when that is null, into a new
// LICE_MemBitmap. Returns the raster, or null on failure; a new raster is deleted then, a
// passed one is left to its owner (its pixels may have changed).
LICE_IBitmap* LICE_LoadPNG(const char* path, LICE_IBitmap* bitmap = nullptr);
// The same from bytes in memory (resources compiled into the plug-in).
LICE_IBitmap* LICE_LoadPNGFromMemory(const void* data, size_t size, LICE_IBitmap* bitmap = nullptr);

// Encodes the raster as an 8-bit RGBA PNG (with alpha false: RGB, the alpha bytes dropped)
// and writes it to path. The same pixels always give the same bytes: the compression
// settings are fixed and no time or text chunk is written. Returns false when the raster is
// empty or the file cannot be written completely; a partly written regular file is removed. Any
// thread; the raster is only read.
bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, bool alpha = true);
