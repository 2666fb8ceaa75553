// tundrax-artgen OUTDIR [--preview FILE.png]
// Draws the editor's fifteen PNG resources into OUTDIR (made when missing), the same bytes on
// every run. With --preview it also writes the whole panel with every control at its first
// frame to FILE.png and with other states (a bypassed band, other steps, a value box) to
// FILE-states.png.
#include "Artwork.h"
#include "LICE_PNG.h"
#include "Preview.h"
#include "Strip.h"
#include "product/TundraxLayout.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
namespace layout = tundrax::layout;
using namespace artgen;

namespace {
int Usage() {
  fprintf(stderr, "usage: tundrax-artgen OUTDIR [--preview FILE.png]\n");
  return 2;
}

bool Write(const std::string& path, LICE_IBitmap* bm, bool alpha) {
  if (LICE_WritePNG(path.c_str(), bm, alpha)) return true;
  fprintf(stderr, "tundrax-artgen: cannot write %s\n", path.c_str());
  return false;
}

std::string StatesPath(const std::string& preview) {
  const size_t dot = preview.rfind('.');
  const size_t slash = preview.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return preview + "-states";
  return preview.substr(0, dot) + "-states" + preview.substr(dot);
}
}  // namespace

int main(int argc, char** argv) {
  std::string outDir, preview;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--preview") && i + 1 < argc)
      preview = argv[++i];
    else if (argv[i][0] != '-' && outDir.empty())
      outDir = argv[i];
    else
      return Usage();
  }
  if (outDir.empty()) return Usage();
  std::error_code error;
  fs::create_directories(outDir, error);  // a failure shows when the first file is written

  try {
    std::map<int, std::unique_ptr<LICE_MemBitmap>> art;
    art[layout::kBackground] = DrawBackground();
    LICE_IBitmap* bg = art[layout::kBackground].get();
    for (const Band& band : kBands) {
      art[band.bypassResource] = DrawBypassSwitch(bg, band);
      art[band.freqResource] = DrawFrequencySelector(bg, band);
      art[band.gainResource] = DrawGainSelector(bg, band);
    }
    art[layout::kQValues] = DrawQualitySwitch(bg);
    art[layout::kQIcon] = DrawQualityIcon(bg);
    art[layout::kCompressorKnob] = DrawCompressorKnob(bg);
    art[layout::kMeterGainReduction] = DrawGainReductionMeter(bg);
    art[layout::kMeterOutput] = DrawOutputMeter(bg);

    // Every piece is opaque (drawn over the background it sits on), so RGB suffices.
    bool ok = true;
    Strips strips;
    for (const layout::Resource& r : layout::kResources) {
      strips[r.id] = art.at(r.id).get();
      ok = Write(outDir + "/" + r.file, art.at(r.id).get(), false) && ok;
    }
    if (!preview.empty()) {
      ok = Write(preview, ComposeFirstFrames(strips).get(), false) && ok;
      ok = Write(StatesPath(preview), ComposeOtherStates(strips).get(), false) && ok;
    }
    return ok ? 0 : 1;
  } catch (const ArtError& e) {
    fprintf(stderr, "tundrax-artgen: %s\n", e.what());
    return 1;
  }
}
