// Streaming audio file reading and writing through libsndfile, in interleaved doubles.
// The writer picks the container from the file name's extension (any format libsndfile knows
// by extension: wav, aiff, flac, ...) and stores 32-bit float samples where the container
// allows it, else 24-bit integers (FLAC).
#pragma once

#include <cstdint>
#include <string>

typedef struct sf_private_tag SNDFILE;

namespace host {

class AudioReader {
 public:
  // Throws HostError when the file is missing or not audio libsndfile can read.
  explicit AudioReader(const std::string& path);
  ~AudioReader();
  AudioReader(const AudioReader&) = delete;
  AudioReader& operator=(const AudioReader&) = delete;

  int sampleRate() const { return mSampleRate; }
  int channels() const { return mChannels; }
  int64_t frames() const { return mFrames; }
  // Reads up to `frames` interleaved frames; returns how many were read (0 at the end).
  int64_t read(double* interleaved, int64_t frames);

 private:
  SNDFILE* mFile = nullptr;
  int mSampleRate = 0;
  int mChannels = 0;
  int64_t mFrames = 0;
};

class AudioWriter {
 public:
  // Throws HostError for an extension no format matches or a file that cannot be created.
  AudioWriter(const std::string& path, int sampleRate, int channels);
  ~AudioWriter();
  AudioWriter(const AudioWriter&) = delete;
  AudioWriter& operator=(const AudioWriter&) = delete;

  void write(const double* interleaved, int64_t frames);
  // Flushes and closes; the destructor does it too, but only close reports a failure.
  void close();

 private:
  SNDFILE* mFile = nullptr;
  std::string mPath;
  int mChannels = 0;
};

// The libsndfile format (major | subtype) a file of this name is written in; throws HostError
// for an extension no writable format matches.
int outputFormatFor(const std::string& path, int channels);

}  // namespace host
