#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "LICE_Bitmap.h"
#include "graphics/BitmapCache.h"
#include "graphics/FontCache.h"
#include "graphics/IGraphicsStructs.h"

TEST(CacheThreads, ConcurrentLoadsOfOneIdDecodeOnce) {
  const int before = BitmapCache::DecodeCount();
  std::atomic<int> decodes{0};
  auto decode = [&]() -> LICE_IBitmap* {
    ++decodes;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return new LICE_MemBitmap(3, 3);
  };
  LICE_IBitmap* results[4] = {};
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&] { result = BitmapCache::Load(201, decode); });
  }
  // While id 201 decodes, other ids load without waiting for it.
  threads.emplace_back([&] {
    BitmapCache::Load(202, [] { return static_cast<LICE_IBitmap*>(new LICE_MemBitmap(1, 1)); });
  });
  for (auto& t : threads) t.join();
  EXPECT_EQ(decodes.load(), 1);
  for (LICE_IBitmap* r : results) EXPECT_EQ(r, results[0]);
  EXPECT_NE(results[0], nullptr);
  EXPECT_EQ(BitmapCache::DecodeCount(), before + 2);
}

TEST(CacheThreads, FailedDecodingWakesTheWaitersWithNothing) {
  auto slowFailure = []() -> LICE_IBitmap* {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    return nullptr;
  };
  LICE_IBitmap* results[3] = {reinterpret_cast<LICE_IBitmap*>(1)};
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&] { result = BitmapCache::Load(203, slowFailure); });
  }
  for (auto& t : threads) t.join();
  for (LICE_IBitmap* r : results) EXPECT_EQ(r, nullptr);
}

TEST(CacheThreads, EditorsOnSeveralThreadsShareOneFontPerStyle) {
  const int before = FontCache::Size();
  LICE_IFont* fonts[4] = {};
  std::vector<std::thread> threads;
  for (auto& font : fonts) {
    threads.emplace_back([&] {
      const IText text(23, COLOR_BLACK, "DejaVu Sans", IText::kStyleItalic);
      font = FontCache::Get(text);
    });
  }
  for (auto& t : threads) t.join();
  ASSERT_NE(fonts[0], nullptr);
  for (LICE_IFont* f : fonts) EXPECT_EQ(f, fonts[0]);
  EXPECT_EQ(FontCache::Size(), before + 1);
}
