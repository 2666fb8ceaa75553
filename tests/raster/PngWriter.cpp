#include "PngWriter.h"

#include <cstdio>

namespace rastertest {
int PngImage::Channels() const {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE:
      return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    default:
      return 4;
  }
}

namespace {
void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void Flush(png_structp) {}

// Rows as libpng wants them: one byte per sample below 8 bits (packed by libpng),
// big-endian pairs at 16.
std::vector<std::vector<png_byte>> Rows(const PngImage& image) {
  const int perRow = image.width * image.Channels();
  std::vector<std::vector<png_byte>> rows(size_t(image.height));
  for (int y = 0; y < image.height; ++y)
    for (int i = 0; i < perRow; ++i) {
      const uint16_t v = image.samples[size_t(y) * perRow + i];
      if (image.bitDepth == 16) rows[y].push_back(png_byte(v >> 8));
      rows[y].push_back(png_byte(v & 255));
    }
  return rows;
}
}  // namespace

std::vector<unsigned char> EncodePng(const PngImage& image) {
  std::vector<unsigned char> out;
  auto rows = Rows(image);
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
               image.colorType, image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!image.palette.empty())
    png_set_PLTE(png, info, image.palette.data(), int(image.palette.size()));
  if (!image.paletteAlpha.empty())
    png_set_tRNS(png, info, image.paletteAlpha.data(), int(image.paletteAlpha.size()), nullptr);
  if (image.hasTransparentColor) png_set_tRNS(png, info, nullptr, 0, &image.transparentColor);
  png_write_info(png, info);
  if (image.bitDepth < 8) png_set_packing(png);
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return fclose(f) == 0 && ok;
}
}  // namespace rastertest
