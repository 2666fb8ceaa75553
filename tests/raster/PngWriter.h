#pragma once
// Writes test PNGs of any colour type and bit depth with libpng.

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rastertest {
struct PngImage {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint16_t> samples;  // channels per pixel, row by row (palette: indices)
  std::vector<png_color> palette;
  std::vector<png_byte> paletteAlpha;  // tRNS for palette images
  bool hasTransparentColor = false;    // tRNS for grey and RGB images
  png_color_16 transparentColor{};

  int Channels() const;
};

// The encoded file, or empty when libpng refused the image.
std::vector<unsigned char> EncodePng(const PngImage& image);
bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
}  // namespace rastertest
