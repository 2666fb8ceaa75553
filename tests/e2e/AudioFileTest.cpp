// Audio files through libsndfile: formats chosen by extension, samples kept, errors reported;
// and the level meter's dBFS figures.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/HostError.h"
#include "tools/host/LevelMeter.h"

namespace {

namespace fs = std::filesystem;

class AudioFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = fs::temp_directory_path() / ("tundrax-audiofile-" + std::to_string(::getpid()));
    fs::create_directories(mDir);
  }
  void TearDown() override { fs::remove_all(mDir); }
  std::string path(const std::string& name) const { return (mDir / name).string(); }

  fs::path mDir;
};

// Two channels of distinct ramps, including overs beyond full scale.
std::vector<double> testFrames(int64_t frames) {
  std::vector<double> out;
  for (int64_t i = 0; i < frames; ++i) {
    out.push_back(static_cast<double>(i % 200) / 100.0 - 1.0);
    out.push_back(1.5 * std::sin(0.01 * static_cast<double>(i)));
  }
  return out;
}

// The extension, in any case, chooses the format: WAV and AIFF in floats, FLAC in 24 bits.
TEST_F(AudioFileTest, FloatFilesKeepEverySampleAndFlacClips) {
  const int64_t frames = 5000;
  std::vector<double> written = testFrames(frames);
  for (const char* name : {"t.WAV", "t.aif", "t.aiff", "t.flac"}) {
    {
      host::AudioWriter writer(path(name), 44100, 2);
      // In uneven pieces, as the renderer writes blocks.
      writer.write(written.data(), 1000);
      writer.write(written.data() + 2000, frames - 1000);
      writer.close();
    }
    host::AudioReader reader(path(name));
    EXPECT_EQ(reader.sampleRate(), 44100) << name;
    EXPECT_EQ(reader.channels(), 2) << name;
    ASSERT_EQ(reader.frames(), frames) << name;
    std::vector<double> read(written.size() + 2);
    EXPECT_EQ(reader.read(read.data(), frames + 1), frames) << name;
    double past[2];
    EXPECT_EQ(reader.read(past, 1), 0) << name;
    const bool isFlac = std::string(name) == "t.flac";
    for (std::size_t i = 0; i < written.size(); ++i) {
      double expected = isFlac ? std::clamp(written[i], -1.0, 1.0) : written[i];
      double tolerance = isFlac ? 1.0 / (1 << 22) : 1e-7 * std::fabs(written[i]);
      ASSERT_NEAR(read[i], expected, tolerance) << name << " sample " << i;
    }
  }
}

TEST_F(AudioFileTest, ReportsMissingAndBrokenFiles) {
  EXPECT_THROW(host::AudioReader(path("missing.wav")), host::HostError);
  {
    std::FILE* junk = std::fopen(path("junk.wav").c_str(), "wb");
    std::fputs("this is not a wave file", junk);
    std::fclose(junk);
  }
  EXPECT_THROW(host::AudioReader(path("junk.wav")), host::HostError);
  EXPECT_THROW(host::AudioWriter(path("no/such/folder/out.wav"), 48000, 2), host::HostError);
  EXPECT_THROW(host::outputFormatFor("noextension", 2), host::HostError);
}

TEST(LevelMeter, PeakAndRmsInDbfs) {
  // A full-cycle sine of amplitude 0.5: peak -6.02 dBFS, RMS 3.01 dB lower.
  std::vector<double> sine(4800);
  for (std::size_t i = 0; i < sine.size(); ++i) {
    sine[i] = 0.5 * std::sin(2.0 * std::numbers::pi * static_cast<double>(i) / 48.0);
  }
  std::vector<double> silence(sine.size(), 0.0);
  const double* inputs[] = {sine.data(), silence.data()};
  const double* outputs[] = {silence.data(), sine.data()};
  host::LevelMeter meter(2);
  // Two blocks, the second short.
  meter.onBlock({0, 0, 4000, 2, inputs, outputs});
  const double* inputsTail[] = {sine.data() + 4000, silence.data()};
  const double* outputsTail[] = {silence.data(), sine.data() + 4000};
  meter.onBlock({1, 4000, 800, 2, inputsTail, outputsTail});
  EXPECT_NEAR(meter.input()[0].peakDb(), -6.0206, 1e-3);
  EXPECT_NEAR(meter.input()[0].rmsDb(), -9.0309, 1e-3);
  EXPECT_EQ(meter.input()[0].frames, 4800);
  EXPECT_EQ(host::formatDb(meter.input()[1].peakDb()), "-inf");
  EXPECT_EQ(host::formatDb(meter.output()[0].rmsDb()), "-inf");
  EXPECT_EQ(host::formatDb(meter.output()[1].peakDb()), "-6.02");
}

}  // namespace
