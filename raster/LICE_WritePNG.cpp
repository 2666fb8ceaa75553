// PNG encoding on libpng. As in LICE_LoadPNG.cpp, libpng reports errors by longjmp, so the
// function that calls setjmp (EncodeRows) holds no object with a destructor and keeps what it
// must free in a plain record.
#include "LICE_PNG.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <sys/stat.h>

namespace {
struct Encoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_bytep row = nullptr;  // one row in PNG byte order
  FILE* file = nullptr;
};

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnWarning(png_structp, png_const_charp) {}

// Writes the header and every row. Locals here must not need destructors: a longjmp out of
// libpng lands at the setjmp below.
bool EncodeRows(Encoder* e, LICE_IBitmap* bitmap, bool alpha) {
  if (setjmp(png_jmpbuf(e->png))) return false;
  const int width = bitmap->getWidth(), height = bitmap->getHeight();
  const int channels = alpha ? 4 : 3;
  png_init_io(e->png, e->file);
  // Fixed settings, so the same pixels always give the same bytes; no time chunk is written.
  png_set_compression_level(e->png, 9);
  png_set_compression_mem_level(e->png, 9);
  png_set_compression_window_bits(e->png, 15);
  png_set_compression_strategy(e->png, 0);  // Z_DEFAULT_STRATEGY
  png_set_filter(e->png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
  png_set_IHDR(e->png, e->info, png_uint_32(width), png_uint_32(height), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(e->png, e->info);

  const LICE_pixel* bits = bitmap->getBits();
  const int span = bitmap->getRowSpan();
  const bool flipped = bitmap->isFlipped();
  for (int y = 0; y < height; ++y) {
    const LICE_pixel* src = bits + size_t(flipped ? height - 1 - y : y) * size_t(span);
    png_bytep out = e->row;
    for (int x = 0; x < width; ++x, out += channels) {
      out[0] = png_byte(LICE_GETR(src[x]));
      out[1] = png_byte(LICE_GETG(src[x]));
      out[2] = png_byte(LICE_GETB(src[x]));
      if (alpha) out[3] = png_byte(LICE_GETA(src[x]));
    }
    png_write_row(e->png, e->row);
  }
  png_write_end(e->png, e->info);
  return true;
}
}  // namespace

bool LICE_WritePNG(const char* path, LICE_IBitmap* bitmap, bool alpha) {
  if (!path || !bitmap || !bitmap->getBits() || bitmap->getWidth() < 1 || bitmap->getHeight() < 1)
    return false;
  Encoder e;
  e.row = static_cast<png_bytep>(malloc(size_t(bitmap->getWidth()) * 4));
  e.file = e.row ? fopen(path, "wb") : nullptr;
  if (e.file) e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (e.png) e.info = png_create_info_struct(e.png);
  bool ok = e.info && EncodeRows(&e, bitmap, alpha);
  if (e.png) png_destroy_write_struct(&e.png, e.info ? &e.info : nullptr);
  free(e.row);
  if (e.file) {
    ok = fclose(e.file) == 0 && ok;
    // No half-written image is left behind; a device (say /dev/full) is not ours to remove.
    struct stat info;
    if (!ok && stat(path, &info) == 0 && S_ISREG(info.st_mode)) remove(path);
  }
  return ok;
}
