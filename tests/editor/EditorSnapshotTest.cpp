// The editor as the built plug-in draws it, through its snapshot request: "Default" and the
// Threshold value box against reviewed reference images, and images in resources/img/ beside
// the module replacing the compiled-in ones only when they are usable.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "raster/LICE_Bitmap.h"
#include "raster/LICE_PNG.h"
#include "tests/e2e/TundraxPlugin.h"
#include "vst2/EditorSnapshot.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Image {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Image snapshot(host::PluginInstance& plugin, int hoverX = -1, int hoverY = -1) {
  vst2::EditorSnapshot request;
  request.hoverX = hoverX;
  request.hoverY = hoverY;
  Image image;
  if (plugin.dispatch(vst2::effVendorSpecific, vst2::kEditorSnapshotIndex, 0, &request) != 1) {
    ADD_FAILURE() << "no snapshot";
    return image;
  }
  image.width = request.width;
  image.height = request.height;
  for (int y = 0; y < request.height; ++y) {
    const uint32_t* row = request.pixels + static_cast<std::size_t>(y) * request.rowSpan;
    image.pixels.insert(image.pixels.end(), row, row + request.width);
  }
  return image;
}

Image reference(const char* name) {
  const std::string path = std::string(TUNDRAX_EDITOR_REFERENCE_DIR) + "/" + name;
  std::unique_ptr<LICE_IBitmap> png(LICE_LoadPNG(path.c_str()));
  Image image;
  if (!png) {
    ADD_FAILURE() << "cannot read " << path;
    return image;
  }
  image.width = png->getWidth();
  image.height = png->getHeight();
  for (int y = 0; y < image.height; ++y) {
    const LICE_pixel* row = png->getBits() + y * png->getRowSpan();
    // The snapshot's alpha is whatever the artwork left; references are stored opaque.
    for (int x = 0; x < image.width; ++x) image.pixels.push_back(row[x] | 0xFF);
  }
  return image;
}

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// How many pixels differ (alpha ignored) outside `skip`.
int differences(const Image& a, const Image& b, const Box& skip = {}) {
  if (a.width != b.width || a.height != b.height) return -1;
  int count = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!skip.contains(x, y) && (a.at(x, y) | 0xFF) != (b.at(x, y) | 0xFF)) ++count;
    }
  }
  return count;
}

// The mean difference per channel inside `box`, 0..255.
double meanDifference(const Image& a, const Image& b, const Box& box) {
  double sum = 0.0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      for (int shift = 8; shift < 32; shift += 8) {
        sum += std::abs(static_cast<int>((a.at(x, y) >> shift) & 255) -
                        static_cast<int>((b.at(x, y) >> shift) & 255));
      }
    }
  }
  return sum / (3.0 * (box.right - box.left) * (box.bottom - box.top));
}

}  // namespace

TEST(EditorSnapshot, DefaultMatchesTheReviewedImage) {
  auto plugin = e2e::openTundrax();
  const Image drawn = snapshot(*plugin);
  EXPECT_EQ(drawn.width, 900);
  EXPECT_EQ(drawn.height, 620);
  EXPECT_EQ(differences(drawn, reference("default.png")), 0);
}

TEST(EditorSnapshot, ThresholdValueBoxShowsTheNegatedValue) {
  auto plugin = e2e::openTundrax();
  plugin->setParameter(13, 0.5f);  // 24.0 dB deep: -24.0 dBFS
  const Image drawn = snapshot(*plugin, 270, 500);
  // The value box of the Threshold knob (237, 428, 312, 535): text may be rendered a little
  // differently by other FreeType versions; everything else is exact.
  const Box valueBox{257, 428, 292, 442};
  const Image expected = reference("threshold-hover.png");
  EXPECT_EQ(differences(drawn, expected, valueBox), 0);
  EXPECT_LT(meanDifference(drawn, expected, valueBox), 8.0);
  // Leaving the knob hides the box again.
  EXPECT_GT(meanDifference(snapshot(*plugin, 270, 440), expected, valueBox), 8.0);
}

TEST(EditorSnapshot, ImagesBesideTheModuleReplaceOnlyWhenUsable) {
  const fs::path dir = fs::temp_directory_path() / ("tundrax-skin-" + std::to_string(getpid()));
  fs::create_directories(dir / "resources" / "img");
  fs::copy_file(TUNDRAX_PLUGIN_PATH, dir / "Tundrax.so", fs::copy_options::overwrite_existing);
  const fs::path img = dir / "resources" / "img";
  const std::string resources = TUNDRAX_RESOURCE_DIR;
  // A corrupt background, a knob strip of the wrong size, and a usable new Q icon.
  fs::copy_file(resources + "/background.png", img / "background.png",
                fs::copy_options::overwrite_existing);
  fs::resize_file(img / "background.png", fs::file_size(img / "background.png") / 2);
  fs::copy_file(resources + "/QIcon.png", img / "compressorKnob.png",
                fs::copy_options::overwrite_existing);
  {
    std::unique_ptr<LICE_IBitmap> icon(LICE_LoadPNG((resources + "/QIcon.png").c_str()));
    ASSERT_NE(icon, nullptr);
    LICE_MemBitmap magenta(icon->getWidth(), icon->getHeight());
    for (int y = 0; y < magenta.getHeight(); ++y)
      for (int x = 0; x < magenta.getWidth(); ++x)
        magenta.getBits()[y * magenta.getRowSpan() + x] = LICE_ARGB(255, 255, 0, 255);
    ASSERT_TRUE(LICE_WritePNG((img / "QIcon.png").c_str(), &magenta));
  }
  {
    auto plugin = e2e::openTundrax(host::PluginLibrary::load((dir / "Tundrax.so").string()));
    const Image drawn = snapshot(*plugin);
    const Image expected = reference("default.png");
    EXPECT_EQ(drawn.at(31, 343) | 0xFF, LICE_ARGB(255, 255, 0, 255));  // Warmth's Q icon
    const Box icons{0, 342, 900, 361};
    EXPECT_EQ(differences(drawn, expected, icons), 0);
  }
  fs::remove_all(dir);
}
