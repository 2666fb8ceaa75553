// Small real PNG files and folders for the loading tests.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PngWriter.h"

namespace gfxtest {
// A w × h opaque RGB image of one colour, encoded.
inline std::vector<unsigned char> SolidPng(int w, int h, int r, int g, int b) {
  rastertest::PngImage image;
  image.width = w;
  image.height = h;
  for (int i = 0; i < w * h; ++i) {
    image.samples.insert(image.samples.end(), {uint16_t(r), uint16_t(g), uint16_t(b)});
  }
  return rastertest::EncodePng(image);
}

// A fresh, empty folder under the test temporary directory.
inline std::string FreshFolder(const std::string& name) {
  // One folder per process: ctest runs each test in a process of its own, several at once.
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / (name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}
}  // namespace gfxtest
