#include <dlfcn.h>
#include <gtest/gtest.h>

// The caches live in the plug-in module: unloading it with images and fonts cached must
// delete them cleanly, and a second load must start afresh.
TEST(Unload, ModuleWithFilledCachesUnloadsAndLoadsAgain) {
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
