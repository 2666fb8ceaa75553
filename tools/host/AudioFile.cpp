#include "tools/host/AudioFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "tools/host/HostError.h"

namespace host {

namespace {

std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  if (!ext.empty()) ext.erase(0, 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// The major format libsndfile lists for this extension, or 0.
int majorFormatFor(const std::string& ext) {
  if (ext == "wave") return SF_FORMAT_WAV;
  if (ext == "aif") return SF_FORMAT_AIFF;
  int count = 0;
  sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO info{};
    info.format = i;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info);
    if (info.extension != nullptr && ext == info.extension) return info.format;
  }
  return 0;
}

}  // namespace

int outputFormatFor(const std::string& path, int channels) {
  std::string ext = lowerExtension(path);
  int major = majorFormatFor(ext);
  if (major == 0) {
    throw HostError("cannot tell the audio format of " + path +
                    " from its extension (use .wav, .aiff or .flac)");
  }
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = channels;
  for (int subtype : {SF_FORMAT_FLOAT, SF_FORMAT_PCM_24, SF_FORMAT_PCM_16}) {
    info.format = major | subtype;
    if (sf_format_check(&info)) return info.format;
  }
  throw HostError("libsndfile cannot write " + std::to_string(channels) + "-channel ." + ext +
                  " files");
}

AudioReader::AudioReader(const std::string& path) {
  if (!std::filesystem::exists(path)) throw HostError("no such audio file: " + path);
  SF_INFO info{};
  mFile = sf_open(path.c_str(), SFM_READ, &info);
  if (mFile == nullptr) throw HostError("cannot read " + path + ": " + sf_strerror(nullptr));
  mSampleRate = info.samplerate;
  mChannels = info.channels;
  mFrames = info.frames;
}

AudioReader::~AudioReader() { sf_close(mFile); }

int64_t AudioReader::read(double* interleaved, int64_t frames) {
  return sf_readf_double(mFile, interleaved, frames);
}

AudioWriter::AudioWriter(const std::string& path, int sampleRate, int channels)
    : mPath(path), mChannels(channels) {
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = channels;
  info.format = outputFormatFor(path, channels);
  mFile = sf_open(path.c_str(), SFM_WRITE, &info);
  if (mFile == nullptr) throw HostError("cannot write " + path + ": " + sf_strerror(nullptr));
  // Float files keep what goes in, overs included; integer files (FLAC) clip at full scale
  // instead of wrapping around.
  sf_command(mFile, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
  if (mFile != nullptr) sf_close(mFile);
}

void AudioWriter::write(const double* interleaved, int64_t frames) {
  if (sf_writef_double(mFile, interleaved, frames) != frames) {
    throw HostError("cannot write " + mPath + ": " + sf_strerror(mFile));
  }
}

void AudioWriter::close() {
  if (mFile == nullptr) return;
  sf_write_sync(mFile);
  int result = sf_close(mFile);
  mFile = nullptr;
  if (result != 0) throw HostError("cannot finish " + mPath + ": " + sf_error_number(result));
}

}  // namespace host
