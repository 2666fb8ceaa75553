// The editor's images, compiled into the plug-in from resources/img/ at build time
// (cmake/EmbedImages.cmake). Read-only data of the module; valid as long as it is loaded.
#pragma once

#include <cstddef>
#include <span>

struct EmbeddedImage {
  const char* name;  // file name, e.g. "background.png"
  const unsigned char* data;
  std::size_t size;
};

// Sorted by name.
std::span<const EmbeddedImage> GetEmbeddedImages();
