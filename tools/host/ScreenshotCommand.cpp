// tundrax-host screenshot: draws a plug-in's editor without a window, after setting it up as
// a user would (program, parameters, audio played through it), and writes it as a PNG. Works
// with plug-ins that answer the editor snapshot request (vst2/EditorSnapshot.h): ours.
#include <cstdio>
#include <memory>

#include "raster/LICE_Bitmap.h"
#include "raster/LICE_PNG.h"
#include "tools/host/AudioFile.h"
#include "tools/host/BlockProcessor.h"
#include "tools/host/Commands.h"
#include "tools/host/FileRenderer.h"
#include "vst2/EditorSnapshot.h"

namespace host {

namespace {

constexpr int32_t kBlockSize = 512;

// Plays the whole file through the plug-in, discarding the output, and leaves it running: a
// host that stops playback switches the plug-in off, which clears its meters.
void playThrough(PluginInstance& plugin, const std::string& path) {
  AudioReader reader(path);
  if (reader.channels() == 1 && !plugin.setSpeakerArrangement(1, 1)) {
    throw HostError("the plug-in does not accept a mono layout");
  }
  BlockProcessor processor(plugin, reader.channels(), kBlockSize, Precision::Single);
  plugin.resume();
  plugin.startProcess();
  renderFile(reader, nullptr, processor, {});
}

}  // namespace

int runScreenshot(const ScreenshotOptions& options) {
  HostSettings settings;
  settings.blockSize = kBlockSize;
  if (options.audio) settings.sampleRate = AudioReader(*options.audio).sampleRate();
  std::unique_ptr<PluginInstance> plugin = openPlugin(options.plugin, settings);
  if (!(plugin->effect().flags & vst2::effFlagsHasEditor)) {
    throw HostError(options.plugin + " has no editor");
  }
  applyChoices(*plugin, options.program, options.preset, options.params);
  if (options.audio) playThrough(*plugin, *options.audio);

  vst2::EditorSnapshot snapshot;
  if (options.hover) {
    snapshot.hoverX = options.hover->first;
    snapshot.hoverY = options.hover->second;
  }
  if (plugin->dispatch(vst2::effVendorSpecific, vst2::kEditorSnapshotIndex, 0, &snapshot) != 1 ||
      !snapshot.pixels || snapshot.width <= 0 || snapshot.height <= 0 ||
      snapshot.rowSpan < snapshot.width) {
    throw HostError(options.plugin +
                    " cannot draw its editor without a window (it does not answer the snapshot "
                    "request)");
  }
  LICE_MemBitmap image(snapshot.width, snapshot.height, 1);
  for (int32_t y = 0; y < snapshot.height; ++y) {
    const uint32_t* row = snapshot.pixels + static_cast<std::size_t>(y) * snapshot.rowSpan;
    std::copy(row, row + snapshot.width, image.getBits() + y * image.getRowSpan());
  }
  plugin->close();
  if (!LICE_WritePNG(options.output.c_str(), &image, false)) {
    throw HostError("cannot write " + options.output);
  }
  std::printf("%s: %d x %d editor of %s\n", options.output.c_str(), snapshot.width, snapshot.height,
              options.plugin.c_str());
  return 0;
}

}  // namespace host
