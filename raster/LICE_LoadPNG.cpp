// PNG decoding on libpng. libpng reports errors by longjmp, so the function that calls
// setjmp (DecodeRows) holds no object with a destructor and keeps everything it must free in
// a plain record that outlives the jump.
#include "LICE_PNG.h"

#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxBytes = uint64_t(256) << 20;

struct MemorySource {
  const unsigned char* data;
  size_t size;
  size_t pos;
};

// Everything the decoder allocates, freed by FreeDecoder whichever way decoding ends.
struct Decoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  png_bytepp rows = nullptr;
  LICE_IBitmap* target = nullptr;  // the raster being filled
  bool created = false;            // target was made here
};

void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* src = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > src->size - src->pos) png_error(png, "truncated");
  memcpy(out, src->data + src->pos, length);
  src->pos += length;
}

void ReadFromFile(png_structp png, png_bytep out, png_size_t length) {
  if (fread(out, 1, length, static_cast<FILE*>(png_get_io_ptr(png))) != length)
    png_error(png, "truncated");
}

// Asks libpng for A, R, G, B bytes whatever the stored format.
void SetTransforms(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0;
  if (png_get_valid(png, info, PNG_INFO_tRNS)) {
    png_set_tRNS_to_alpha(png);
    alpha = true;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
    png_set_gray_to_rgb(png);
  if (alpha)
    png_set_swap_alpha(png);
  else
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Reads header and pixels into d->target (made here when null). Returns false on any libpng error.
// Locals here must not need destructors: a longjmp out of libpng lands at the setjmp below.
bool DecodeRows(Decoder* d) {
  if (setjmp(png_jmpbuf(d->png))) return false;
  png_read_info(d->png, d->info);
  const png_uint_32 width = png_get_image_width(d->png, d->info);
  const png_uint_32 height = png_get_image_height(d->png, d->info);
  if (uint64_t(width) * height * 4 > kMaxBytes) return false;
  SetTransforms(d->png, d->info);
  if (png_get_rowbytes(d->png, d->info) != size_t(width) * 4) return false;

  if (!d->target) {
    d->target = new LICE_MemBitmap(0, 0, 4);
    d->created = true;
  }
  LICE_IBitmap* bitmap = d->target;
  bitmap->resize(int(width), int(height));
  LICE_pixel* bits = bitmap->getBits();
  if (!bits || bitmap->getWidth() != int(width) || bitmap->getHeight() != int(height)) return false;

  d->rows = static_cast<png_bytepp>(malloc(sizeof(png_bytep) * height));
  if (!d->rows) return false;
  const int span = bitmap->getRowSpan();
  const bool flipped = bitmap->isFlipped();
  for (png_uint_32 y = 0; y < height; ++y) {
    const png_uint_32 row = flipped ? height - 1 - y : y;
    d->rows[y] = reinterpret_cast<png_bytep>(bits + size_t(row) * size_t(span));
  }
  png_read_image(d->png, d->rows);
  return true;
}

LICE_IBitmap* Decode(void* io, png_rw_ptr reader, LICE_IBitmap* bitmap) {
  Decoder d;
  d.target = bitmap;
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  if (!d.png) return nullptr;
  d.info = png_create_info_struct(d.png);
  bool ok = false;
  if (d.info) {
    png_set_read_fn(d.png, io, reader);
    png_set_user_limits(d.png, kMaxSide, kMaxSide);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Let mutated inputs reach the decoder instead of stopping at checksums.
    png_set_crc_action(d.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(d.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    ok = DecodeRows(&d);
  }
  png_destroy_read_struct(&d.png, d.info ? &d.info : nullptr, nullptr);
  free(d.rows);
  if (ok) return d.target;
  if (d.created) delete d.target;
  return nullptr;
}
}  // namespace

LICE_IBitmap* LICE_LoadPNG(const char* path, LICE_IBitmap* bitmap) {
  if (!path) return nullptr;
  FILE* file = fopen(path, "rb");
  if (!file) return nullptr;
  LICE_IBitmap* result = Decode(file, ReadFromFile, bitmap);
  fclose(file);
  return result;
}

LICE_IBitmap* LICE_LoadPNGFromMemory(const void* data, size_t size, LICE_IBitmap* bitmap) {
  if (!data) return nullptr;
  MemorySource source{static_cast<const unsigned char*>(data), size, 0};
  return Decode(&source, ReadFromMemory, bitmap);
}
