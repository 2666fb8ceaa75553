#include <gtest/gtest.h>

#include <memory>

#include "LICE.h"
#include "PngFiles.h"
#include "graphics/ImageResources.h"

using namespace gfxtest;

namespace {
constexpr LICE_pixel kRed = LICE_ARGB(255, 255, 0, 0);
constexpr LICE_pixel kBlue = LICE_ARGB(255, 0, 0, 255);

struct Record {
  const char* name;
  const unsigned char* data;
  size_t size;
};

class ImageResourcesTest : public ::testing::Test {
 protected:
  ImageResourcesTest() : embedded(SolidPng(4, 3, 255, 0, 0)), folder(FreshFolder("overrides")) {}

  ImageResources Resources(std::string overrideFolder) {
    const Record list[] = {{"knob.png", embedded.data(), embedded.size()}};
    return ImageResources::FromList(list, std::move(overrideFolder));
  }
  void Put(const char* name, const std::vector<unsigned char>& bytes) {
    ASSERT_TRUE(rastertest::WriteBytes(folder + "/" + name, bytes));
  }
  // The first pixel of what Load gives, or 0 for nothing.
  LICE_pixel Loaded(const ImageResources& res, const char* name) {
    std::unique_ptr<LICE_IBitmap> b(res.Load(name));
    return b ? LICE_GetPixel(b.get(), 0, 0) : 0;
  }

  std::vector<unsigned char> embedded;
  std::string folder;
};
}  // namespace

TEST_F(ImageResourcesTest, EmbeddedImagesDecodeByTheLastPathComponent) {
  const ImageResources res = Resources("");
  EXPECT_EQ(Loaded(res, "knob.png"), kRed);
  EXPECT_EQ(Loaded(res, "resources/img/knob.png"), kRed);
  EXPECT_EQ(Loaded(res, "other.png"), 0u);
  EXPECT_EQ(Loaded(res, ""), 0u);
  EXPECT_EQ(Loaded(res, nullptr), 0u);
  EXPECT_EQ(Loaded(ImageResources(), "knob.png"), 0u);
}

// Overrides that are used, or replaced by the embedded image when of the wrong size or
// corrupt, are seen through the built plug-in; here the files that are no PNG at all.
TEST_F(ImageResourcesTest, OverridesThatAreNoImageFallBackAndFilesWithoutAnEmbeddedOneAreUsed) {
  Put("knob.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'});
  EXPECT_EQ(Loaded(Resources(folder), "knob.png"), kRed);
  std::filesystem::remove(folder + "/knob.png");
  std::filesystem::create_directory(folder + "/knob.png");  // there, but not readable as a file
  EXPECT_EQ(Loaded(Resources(folder), "knob.png"), kRed);
  EXPECT_EQ(Loaded(Resources(folder + "/missing-folder"), "knob.png"), kRed);

  Put("extra.png", SolidPng(7, 2, 0, 0, 255));
  EXPECT_EQ(Loaded(Resources(folder), "extra.png"), kBlue);
  EXPECT_EQ(Loaded(Resources(folder + "/"), "img/extra.png"), kBlue);
  Put("broken.png", {1, 2, 3});
  EXPECT_EQ(Loaded(Resources(folder), "broken.png"), 0u);
  EXPECT_EQ(Loaded(Resources(folder), "absent.png"), 0u);
  EXPECT_EQ(Loaded(Resources(folder), ".."), 0u);
}
