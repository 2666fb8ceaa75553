#include <dlfcn.h>
#include <gtest/gtest.h>

// The caches live in the plug-in module: unloading it with images and fonts cached must
// delete them cleanly, and a second load must start afresh.
TEST(Unload, ModuleWithFilledCachesUnloadsAndLoadsAgain) {
  // Desktop hosts have the font libraries loaded for themselves. Held here too, so that what
  // fontconfig keeps for the whole process is not orphaned when the module goes.
  void* fonts = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_GLOBAL);
  ASSERT_NE(fonts, nullptr) << dlerror();
  for (int round = 0; round < 2; ++round) {
    void* module = dlopen(TUNDRAX_CACHE_MODULE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto fill = reinterpret_cast<int (*)()>(dlsym(module, "FillCaches"));
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill(), 3);
    EXPECT_EQ(fill(), 3);  // found in the caches the second time
    EXPECT_EQ(dlclose(module), 0);
  }
}
