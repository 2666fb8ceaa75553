#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "LICE.h"
#include "PngFiles.h"
#include "graphics/BitmapCache.h"

using namespace gfxtest;

namespace {
// Each test uses ids of its own: the cache lives as long as the process.
class BitmapCacheTest : public ::testing::Test {
 protected:
  BitmapCacheTest() : folder(FreshFolder("images")) {
    EXPECT_TRUE(rastertest::WriteBytes(folder + "/a.png", SolidPng(6, 9, 255, 0, 0)));
    EXPECT_TRUE(rastertest::WriteBytes(folder + "/b.png", SolidPng(2, 2, 0, 255, 0)));
    std::vector<unsigned char> corrupt = SolidPng(6, 9, 1, 2, 3);
    corrupt.resize(40);
    EXPECT_TRUE(rastertest::WriteBytes(folder + "/corrupt.png", corrupt));
  }
  std::unique_ptr<IGraphicsHeadless> Editor() {
    return std::make_unique<IGraphicsHeadless>(&plug, 50, 50, 0, ImageResources({}, folder));
  }

  std::string folder;
  RecordingPlug plug;
};
}  // namespace

TEST_F(BitmapCacheTest, SameIdGivesTheSameRasterDecodedOncePerProcess) {
  const int before = BitmapCache::DecodeCount();
  auto first = Editor();
  const IBitmap a = first->LoadIBitmap(101, "resources/img/a.png", 3);
  ASSERT_NE(a.mData, nullptr);
  EXPECT_EQ(a.W, 6);
  EXPECT_EQ(a.H, 9);
  EXPECT_EQ(a.N, 3);
  EXPECT_EQ(a.FrameH(), 3);
  first.reset();  // the raster outlives the editor that loaded it

  auto second = Editor();
  const IBitmap again = second->LoadIBitmap(101, "a.png");
  const IBitmap otherName = second->LoadIBitmap(101, "b.png");  // keyed by id only
  EXPECT_EQ(again.mData, a.mData);
  EXPECT_EQ(otherName.mData, a.mData);
  EXPECT_EQ(BitmapCache::DecodeCount(), before + 1);
}

TEST_F(BitmapCacheTest, MissingOrCorruptImagesGiveNullDataAndAreTriedAgain) {
  auto g = Editor();
  const int before = BitmapCache::DecodeCount();
  for (const char* name : {"absent.png", "corrupt.png", ""}) {
    const IBitmap b = g->LoadIBitmap(102, name, 4);
    EXPECT_EQ(b.mData, nullptr);
    EXPECT_EQ(b.W, 0);
    EXPECT_EQ(b.H, 0);
  }
  EXPECT_EQ(BitmapCache::DecodeCount(), before + 3);
  EXPECT_NE(g->LoadIBitmap(102, "b.png").mData, nullptr);

  // A background whose image is missing draws nothing and breaks nothing.
  g->AttachBackground(103, "absent.png");
  g->PrepDraw();
  EXPECT_EQ(g->Tick(), IRECT());
  EXPECT_EQ(g->NControls(), 1);
}

TEST_F(BitmapCacheTest, ScaledAndCroppedRastersBelongToTheCacheUntilReleased) {
  auto g = Editor();
  IBitmap a = g->LoadIBitmap(106, "a.png");
  IBitmap scaled = g->ScaleBitmap(&a, 12, 18);
  ASSERT_NE(scaled.mData, nullptr);
  EXPECT_EQ(scaled.W, 12);
  EXPECT_EQ(LICE_GetPixel(scaled.mData, 11, 17), LICE_ARGB(255, 255, 0, 0));
  IRECT part(1, 2, 4, 8);
  IBitmap cropped = g->CropBitmap(&a, &part);
  EXPECT_EQ(cropped.W, 3);
  EXPECT_EQ(cropped.H, 6);
  EXPECT_EQ(LICE_GetPixel(cropped.mData, 2, 5), LICE_ARGB(255, 255, 0, 0));
  g->ReleaseBitmap(&scaled);
  g->ReleaseBitmap(&cropped);
  g->ReleaseBitmap(&cropped);  // already gone: nothing
  IBitmap none;
  EXPECT_EQ(g->ScaleBitmap(&none, 4, 4).mData, nullptr);
  EXPECT_EQ(g->CropBitmap(&a, nullptr).mData, nullptr);
}
