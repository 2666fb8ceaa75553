// tundrax-lv2-ttl OUTDIR: writes the LV2 bundle's manifest.ttl, Tundrax.ttl and presets.ttl into
// OUTDIR from an instance of the product, so the ports and presets always match the parameter
// table and the factory programs. Run by the build.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "TundraxSteps.h"
#include "TundraxURIs.h"
#include "lv2/ttl/TurtleWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tundrax-lv2-ttl OUTDIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  std::unique_ptr<IPlugLV2> plug(MakePlug(IPlugInstanceInfo{}));
  plug->MakeDefaultPreset(nullptr, plug->NPresets());

  TurtleBundle bundle;
  bundle.mScalePointLabel = TundraxStepLabel;
  bundle.mUiURI = kTundraxUIURI;

  std::ofstream manifest(dir + "/manifest.ttl");
  WriteManifest(manifest, *plug, bundle);
  std::ofstream description(dir + "/" + bundle.mPluginFile);
  WritePluginDescription(description, *plug, bundle);
  std::ofstream presets(dir + "/" + bundle.mPresetsFile);
  WritePresets(presets, *plug);

  manifest.close();
  description.close();
  presets.close();
  if (!manifest || !description || !presets) {
    std::fprintf(stderr, "tundrax-lv2-ttl: cannot write the bundle files in %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
