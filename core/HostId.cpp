#include "HostId.h"

#include <cctype>
#include <cstring>

#include "TextUtil.h"

namespace {

struct HostName {
  const char* substring;  // matched in the lower-cased product string; null: no substring
  EHost host;
  const char* displayName;
};

// Order matters: a name containing both "cubase" and "live" is Cubase.
constexpr HostName kHosts[] = {
    {"cubase", kHostCubase, "Cubase"},
    {"reaper", kHostReaper, "Reaper"},
    {"nuendo", kHostNuendo, "Nuendo"},
    {"cakewalk", kHostSonar, "Sonar"},
    {"samplitude", kHostSamplitude, "Samplitude"},
    {"fruity", kHostFL, "FLStudio"},
    {"live", kHostAbletonLive, "Live"},
    {"melodyne", kHostMelodyneStudio, "Unknown"},
    {"vstmanlib", kHostVSTScanner, "VSTScanner"},
    {"aulab", kHostAULab, "AULab"},
    {"garageband", kHostGarageBand, "GarageBand"},
    {"forte", kHostForte, "Forte"},
    {"chainer", kHostChainer, "Chainer"},
    {"audition", kHostAudition, "Audition"},
    {"orion", kHostOrion, "Orion"},
    {"sawstudio", kHostSAWStudio, "SAWStudio"},
    {"logic", kHostLogic, "Logic"},
    {"digital", kHostDigitalPerformer, "DigitalPerformer"},
    {"audiomulch", kHostAudioMulch, "AudioMulch"},
    {"presonus", kHostStudioOne, "StudioOne"},
    {"vst3plugintesthost", kHostVST3TestHost, "VST3PluginTestHost"},
    {"protools", kHostProTools, "ProTools"},
    {"ardour", kHostArdour, "Ardour"},
    {"standalone", kHostStandalone, "Standalone"},
    {nullptr, kHostVegas, "Vegas"},
};

}  // namespace

EHost LookUpHost(const char* hostName) {
  char lower[256];
  CopyText(lower, hostName, sizeof lower);
  for (char* p = lower; *p; ++p) *p = static_cast<char>(tolower(static_cast<unsigned char>(*p)));
  for (const HostName& entry : kHosts) {
    if (entry.substring && strstr(lower, entry.substring)) return entry.host;
  }
  return kHostUnknown;
}

void GetHostNameStr(int host, char* out) {
  const char* name = "Unknown";
  for (const HostName& entry : kHosts) {
    if (entry.host == host) name = entry.displayName;
  }
  CopyText(out, name, 32);
}
