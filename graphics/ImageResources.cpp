#include "ImageResources.h"

#include <memory>

#include "LICE_PNG.h"

ImageResources::ImageResources(std::vector<Image> images, std::string overrideFolder)
    : mImages(std::move(images)), mOverrideFolder(std::move(overrideFolder)) {}

const ImageResources::Image* ImageResources::Find(std::string_view name) const {
  for (const Image& image : mImages) {
    if (image.name == name) return &image;
  }
  return nullptr;
}

LICE_IBitmap* ImageResources::Load(const char* fileName) const {
  if (!fileName) return nullptr;
  std::string_view name(fileName);
  if (const auto slash = name.find_last_of('/'); slash != std::string_view::npos) {
    name.remove_prefix(slash + 1);
  }
  if (name.empty() || name == "." || name == "..") return nullptr;

  const Image* embedded = Find(name);
  std::unique_ptr<LICE_IBitmap> base;
  if (embedded && embedded->data && embedded->size > 0) {
    base.reset(LICE_LoadPNGFromMemory(embedded->data, embedded->size));
  }
  if (mOverrideFolder.empty()) return base.release();

  std::string path = mOverrideFolder;
  if (path.back() != '/') path += '/';
  path += name;
  std::unique_ptr<LICE_IBitmap> file(LICE_LoadPNG(path.c_str()));
  if (!file) return base.release();
  if (!base) return file.release();
  const bool sameSize =
      file->getWidth() == base->getWidth() && file->getHeight() == base->getHeight();
  return sameSize ? file.release() : base.release();
}
