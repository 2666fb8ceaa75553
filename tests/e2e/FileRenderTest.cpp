// Rendering a file as tundrax-host does: blocks in order with a short last one, the transport
// moving on, and the same result as driving the callbacks by hand.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "tests/e2e/TundraxPlugin.h"
#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/FileRenderer.h"
#include "tools/kickgen/KickSynth.h"

namespace {

namespace fs = std::filesystem;

struct BlockRecorder : host::BlockListener {
  void onBlock(const host::RenderedBlock& block) override {
    EXPECT_EQ(block.index, static_cast<int64_t>(sizes.size()));
    EXPECT_EQ(block.startFrame, next);
    next += block.frames;
    sizes.push_back(block.frames);
  }
  void onFinish() override { finished = true; }
  std::vector<int32_t> sizes;
  int64_t next = 0;
  bool finished = false;
};

TEST(FileRender, MonoFileThroughTheMonoLayout) {
  const fs::path dir = fs::temp_directory_path() / ("tundrax-render-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string in = (dir / "kick.wav").string(), out = (dir / "out.wav").string();
  std::vector<double> kick = kickgen::synthesizeKicks(48000, 1.0);
  kick.resize(10 * 512 + 123);
  {
    host::AudioWriter writer(in, 48000, 1);
    writer.write(kick.data(), static_cast<int64_t>(kick.size()));
    writer.close();
  }

  auto plugin = e2e::openTundrax();
  ASSERT_TRUE(plugin->setSpeakerArrangement(1, 1));
  plugin->setProgram(4);
  plugin->resume();
  plugin->startProcess();
  host::BlockProcessor processor(*plugin, 1, 512, host::Precision::Double);
  host::AudioReader reader(in);
  host::AudioWriter writer(out, reader.sampleRate(), reader.channels());
  BlockRecorder recorder;
  host::BlockListener* listeners[] = {&recorder};
  EXPECT_EQ(host::renderFile(reader, &writer, processor, listeners), 10 * 512 + 123);
  writer.close();
  EXPECT_TRUE(recorder.finished);
  ASSERT_EQ(recorder.sizes.size(), 11u);
  EXPECT_EQ(recorder.sizes.back(), 123);
  EXPECT_EQ(plugin->host().timeInfo()->samplePos, 10.0 * 512 + 123);

  // The same signal through a second instance, driven by hand in one pass of blocks.
  auto reference = e2e::openTundrax();
  ASSERT_TRUE(reference->setSpeakerArrangement(1, 1));
  reference->setProgram(4);
  reference->resume();
  host::BlockProcessor direct(*reference, 1, 512, host::Precision::Double);
  host::AudioReader source(in);  // the file holds the kick as float samples
  host::AudioReader rendered(out);
  ASSERT_EQ(rendered.frames(), static_cast<int64_t>(kick.size()));
  std::vector<double> got(512);
  for (std::size_t at = 0; at < kick.size(); at += 512) {
    auto frames = static_cast<int32_t>(std::min<std::size_t>(512, kick.size() - at));
    ASSERT_EQ(source.read(direct.input(0).data(), frames), frames);
    direct.process(frames);
    ASSERT_EQ(rendered.read(got.data(), frames), frames);
    for (int32_t i = 0; i < frames; ++i) {
      // The file stores float samples.
      ASSERT_EQ(got[i], static_cast<double>(static_cast<float>(direct.output(0)[i]))) << at + i;
    }
  }
  fs::remove_all(dir);
}

}  // namespace
