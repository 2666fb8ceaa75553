// The plug-in's only exported symbols: VSTPluginMain and its older name main. Each builds one
// instance of the product and hands the host its effect record.
#include <algorithm>
#include <mutex>

#include "IPlugVST.h"

namespace {

// Instances are constructed one at a time, whichever thread the host loads them from.
std::recursive_mutex& CreationMutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) vst2::AEffect* VSTPluginMain(
    vst2::HostCallback hostCallback) {
  std::lock_guard lock(CreationMutex());
  try {
    IPlugVST* plug = MakePlug(IPlugInstanceInfo{hostCallback});
    if (!plug) return nullptr;
    plug->MakeDefaultPreset(nullptr, plug->NPresets());
    vst2::AEffect* effect = plug->GetAEffect();
    effect->numPrograms = std::max(effect->numPrograms, 1);
    return effect;
  } catch (...) {
    return nullptr;  // the host reports the plug-in as broken instead of going down with it
  }
}

// g++ refuses a function named main that does not return int, so the old export name is bound
// to the symbol through an assembler label.
extern "C" __attribute__((visibility("default"))) vst2::AEffect* VSTMainAlias(
    vst2::HostCallback hostCallback) __asm__("main");

vst2::AEffect* VSTMainAlias(vst2::HostCallback hostCallback) { return VSTPluginMain(hostCallback); }
