// tundrax-host process: renders an audio file through a plug-in the way a DAW bounces a track,
// then reports the levels going in and coming out and what the plug-in told the host.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/FileRenderer.h"
#include "tools/host/LevelMeter.h"
#include "tools/host/OpenedPlugin.h"
#include "tools/host/ProgressReporter.h"
#include "tools/host/RenderComparison.h"

namespace host {

namespace {

// Files longer than this many seconds show their progress.
constexpr int64_t kProgressAfterSeconds = 20;

// Output minus input in dB; "-" where either side is silent.
std::string formatChange(double inDb, double outDb) {
  return std::isfinite(inDb) && std::isfinite(outDb) ? formatDb(outDb - inDb) : "-";
}

void printLevels(const LevelMeter& levels) {
  // The change columns are what the plug-in did to the level: output minus input.
  std::printf("levels (dBFS)     peak in   RMS in  peak out  RMS out   change peak/RMS\n");
  for (std::size_t c = 0; c < levels.input().size(); ++c) {
    const ChannelLevel& in = levels.input()[c];
    const ChannelLevel& out = levels.output()[c];
    std::printf("  channel %zu      %8s %8s  %8s %8s  %8s %8s\n", c + 1,
                formatDb(in.peakDb()).c_str(), formatDb(in.rmsDb()).c_str(),
                formatDb(out.peakDb()).c_str(), formatDb(out.rmsDb()).c_str(),
                formatChange(in.peakDb(), out.peakDb()).c_str(),
                formatChange(in.rmsDb(), out.rmsDb()).c_str());
  }
}

// What a DAW would show after the render: the notifications the plug-in sent while
// processing, and the parameter values it ends on.
void printHostView(PluginInstance& plugin, const std::vector<HostEvent>& events) {
  std::printf("host notifications during processing: %zu\n", events.size());
  for (HostEvent::Kind kind : {HostEvent::Kind::Automate, HostEvent::Kind::BeginEdit,
                               HostEvent::Kind::EndEdit, HostEvent::Kind::UpdateDisplay}) {
    std::size_t count = 0;
    for (const HostEvent& event : events) count += event.kind == kind ? 1 : 0;
    if (count > 0) std::printf("  %-16s %zu\n", toString(kind), count);
  }
  std::printf("parameters after processing:\n");
  for (int32_t i = 0; i < plugin.numParams(); ++i) {
    std::printf("  %2" PRId32 "  %-24s %s %s\n", i, plugin.paramName(i).c_str(),
                plugin.paramDisplay(i).c_str(), plugin.paramLabel(i).c_str());
  }
}

}  // namespace

namespace {

// One render of the whole input file through a fresh instance, as a DAW bounces a track.
struct Render {
  std::unique_ptr<PluginInstance> plugin;
  int32_t program = 0;
  std::string programName;
  int64_t frames = 0;
  std::vector<HostEvent> events;
};

Render render(const ProcessOptions& options, const std::string& output,
              const std::optional<ParamSetting>& extra, std::span<BlockListener* const> listeners) {
  AudioReader reader(options.input);
  HostSettings settings;
  settings.sampleRate = reader.sampleRate();
  settings.blockSize = options.blockSize;
  settings.processLevel =
      options.offline ? vst2::kVstProcessLevelOffline : vst2::kVstProcessLevelRealtime;
  Render result;
  result.plugin = openPlugin(options.plugin, settings);
  PluginInstance& plugin = *result.plugin;

  const int channels = reader.channels();
  // A mono file goes through the plug-in's mono layout: one input and one output connected.
  if (channels == 1 && !plugin.setSpeakerArrangement(1, 1)) {
    throw HostError("the plug-in does not accept a mono layout");
  }
  BlockProcessor processor(plugin, channels, options.blockSize, options.precision);
  ProcessOptions choices = options;
  if (extra) choices.params.push_back(*extra);
  applyChoices(plugin, choices.program, choices.preset, choices.params);
  result.program = plugin.program();
  result.programName = plugin.programName();

  AudioWriter writer(output, reader.sampleRate(), channels);
  if (plugin.canProcessDouble()) plugin.setProcessPrecision(options.precision);
  plugin.resume();
  plugin.startProcess();
  plugin.host().events().clear();
  result.frames = renderFile(reader, &writer, processor, listeners);
  plugin.stopProcess();
  plugin.suspend();
  result.events = plugin.host().events().take();
  writer.close();
  return result;
}

// Renders again with the comparison setting and prints how much quieter the first render was.
void printComparison(const ProcessOptions& options, const RenderRecorder& first, int sampleRate) {
  const std::string scratch = options.output + ".compare.wav";
  GainDifference difference(first);
  BlockListener* listeners[] = {&difference};
  Render second = render(options, scratch, options.compare, listeners);
  std::remove(scratch.c_str());
  const int32_t index = options.compare->index;
  std::string setting =
      second.plugin->paramName(index) + " = " + second.plugin->paramDisplay(index);
  if (const std::string label = second.plugin->paramLabel(index); !label.empty())
    setting += " " + label;
  std::printf("largest gain reduction against %s: %s dB at %.3f s\n", setting.c_str(),
              formatDb(difference.largestDb()).c_str(),
              static_cast<double>(difference.frameOfLargest()) / sampleRate);
  second.plugin->close();
}

}  // namespace

int runProcess(const ProcessOptions& options) {
  AudioReader reader(options.input);
  outputFormatFor(options.output, reader.channels());  // a bad extension fails before any work
  const int channels = reader.channels();

  LevelMeter levels(channels);
  ProgressReporter progress(reader.frames(), kProgressAfterSeconds * reader.sampleRate());
  RenderRecorder recorder(channels);
  std::vector<BlockListener*> listeners = {&levels, &progress};
  if (options.compare) listeners.push_back(&recorder);
  Render first = render(options, options.output, std::nullopt, listeners);

  std::printf("%s -> %s\n", options.input.c_str(), options.output.c_str());
  std::printf("%" PRId64 " frames, %d channel%s, %d Hz, blocks of %" PRId32 ", %s precision\n",
              first.frames, channels, channels == 1 ? "" : "s", reader.sampleRate(),
              options.blockSize, options.precision == Precision::Double ? "double" : "single");
  std::printf("program %" PRId32 " \"%s\"\n", first.program, first.programName.c_str());
  printLevels(levels);
  if (options.compare) printComparison(options, recorder, reader.sampleRate());
  printHostView(*first.plugin, first.events);
  first.plugin->close();
  return 0;
}

}  // namespace host
