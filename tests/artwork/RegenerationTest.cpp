// The committed resources are what the generator draws today, byte for byte, and the
// generator reports what it cannot write.
#include "product/TundraxLayout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
namespace layout = tundrax::layout;

namespace {
std::vector<char> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the generator with the arguments; returns its exit status.
int RunGenerator(const std::string& args) {
  const std::string command = std::string("'") + TUNDRAX_ARTGEN_PATH + "' " + args + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct TempDir {
  fs::path path;
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "tundrax-artgen-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path.empty()) fs::remove_all(path, ignored);
  }
};
}  // namespace

TEST(Artwork, RegeneratingGivesTheCommittedFilesByteForByte) {
  TempDir out;
  ASSERT_FALSE(out.path.empty());
  const fs::path preview = out.path / "preview" / "panel.png";
  fs::create_directory(out.path / "preview");
  ASSERT_EQ(RunGenerator("'" + out.path.string() + "' --preview '" + preview.string() + "'"), 0);

  for (const layout::Resource& r : layout::kResources) {
    const std::vector<char> drawn = Bytes(out.path / r.file);
    const std::vector<char> committed = Bytes(fs::path(TUNDRAX_RESOURCE_DIR) / r.file);
    ASSERT_FALSE(drawn.empty()) << r.file << " was not drawn";
    EXPECT_TRUE(drawn == committed) << r.file << " differs from resources/img/" << r.file
                                    << ": run tundrax-artgen resources/img and commit the result";
  }
  // Exactly the resources, and both previews beside each other.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(out.path))
    files += entry.is_regular_file();
  EXPECT_EQ(files, int(std::size(layout::kResources)));
  EXPECT_TRUE(fs::exists(preview));
  EXPECT_TRUE(fs::exists(out.path / "preview" / "panel-states.png"));
}

TEST(Artwork, GeneratorFailsOnBadArgumentsAndUnwritableFolders) {
  EXPECT_NE(RunGenerator(""), 0);
  EXPECT_NE(RunGenerator("a b"), 0);
  EXPECT_NE(RunGenerator("--preview"), 0);
  EXPECT_NE(RunGenerator("/proc/no-such-folder"), 0);
}
