// tundrax-kickgen OUT.wav [--rate HZ] [--seconds S] [--mono]: writes the kick test signal,
// stereo (the same on both channels) unless --mono.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/CommandLine.h"
#include "tools/kickgen/KickSynth.h"

namespace {

constexpr const char* kUsage =
    "usage: tundrax-kickgen OUT.wav [--rate HZ] [--seconds S] [--mono]\n";

struct Options {
  std::string output;
  int rate = 48000;
  double seconds = 4.0;
  int channels = 2;
};

Options parse(const std::vector<std::string>& words) {
  Options options;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= words.size()) throw host::UsageError(word + " needs a value");
      return words[++i];
    };
    if (word == "--rate") {
      auto rate = host::parseInteger(value());
      if (!rate || *rate < 8000 || *rate > 384000) {
        throw host::UsageError("--rate expects a sample rate from 8000 to 384000 Hz");
      }
      options.rate = static_cast<int>(*rate);
    } else if (word == "--seconds") {
      const std::string& text = value();
      std::size_t used = 0;
      double seconds = 0.0;
      try {
        seconds = std::stod(text, &used);
      } catch (const std::exception&) {
        used = 0;
      }
      if (used != text.size() || !(seconds > 0.0 && seconds <= 3600.0)) {
        throw host::UsageError("--seconds expects a length above 0 and up to 3600");
      }
      options.seconds = seconds;
    } else if (word == "--mono") {
      options.channels = 1;
    } else if (word.size() > 1 && word[0] == '-') {
      throw host::UsageError("unknown option " + word);
    } else if (options.output.empty()) {
      options.output = word;
    } else {
      throw host::UsageError("more than one output file given");
    }
  }
  if (options.output.empty()) throw host::UsageError("no output file given");
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    Options options = parse(std::vector<std::string>(argv + 1, argv + argc));
    std::vector<double> mono = kickgen::synthesizeKicks(options.rate, options.seconds);
    std::vector<double> interleaved;
    interleaved.reserve(mono.size() * options.channels);
    for (double sample : mono) interleaved.insert(interleaved.end(), options.channels, sample);
    host::AudioWriter writer(options.output, options.rate, options.channels);
    writer.write(interleaved.data(), static_cast<int64_t>(mono.size()));
    writer.close();
    std::printf("%s: %zu frames, %d channel%s, %d Hz, peak %.1f dBFS\n", options.output.c_str(),
                mono.size(), options.channels, options.channels == 1 ? "" : "s", options.rate,
                kickgen::kPeakDbfs);
    return 0;
  } catch (const host::UsageError& error) {
    std::fprintf(stderr, "tundrax-kickgen: %s\n%s", error.what(), kUsage);
    return 2;
  } catch (const host::HostError& error) {
    std::fprintf(stderr, "tundrax-kickgen: %s\n", error.what());
    return 1;
  }
}
