// Where a platform class gets the editor's image pixels: PNGs compiled into the module,
// each of which a same-named file in an override folder may replace (for trying out new
// artwork without rebuilding). An override is used only when it decodes to exactly the size
// of the image it replaces; a missing, unreadable, corrupt or wrongly sized file falls back
// to the compiled-in image. Nothing is printed; nothing throws.
//
// Threads: Load may be called from several threads at once (it only reads its members).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LICE_IBitmap;

class ImageResources {
 public:
  struct Image {
    std::string_view name;  // file name, e.g. "background.png"
    const unsigned char* data;
    std::size_t size;
  };

  ImageResources() = default;
  // images: read-only data that outlives this object (a module's own data). overrideFolder
  // empty: no overrides.
  explicit ImageResources(std::vector<Image> images, std::string overrideFolder = {});

  // From any list of records with name, data and size members (a module's image table).
  template <class Range>
  static ImageResources FromList(const Range& list, std::string overrideFolder = {}) {
    std::vector<Image> images;
    for (const auto& i : list) images.push_back(Image{i.name, i.data, i.size});
    return ImageResources(std::move(images), std::move(overrideFolder));
  }

  // Decodes the image named by the last path component of fileName into a new raster the
  // caller owns: the override when usable, else the compiled-in image. Without a
  // compiled-in image, a decodable override file is used as it is. Null when neither exists.
  LICE_IBitmap* Load(const char* fileName) const;

  const std::string& OverrideFolder() const { return mOverrideFolder; }

 private:
  const Image* Find(std::string_view name) const;

  std::vector<Image> mImages;
  std::string mOverrideFolder;
};
