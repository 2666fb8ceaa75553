// The LV2 library's only exported symbol, lv2_descriptor, and the descriptor's functions: each
// finds the instance in its handle and hands the call to IPlugLV2.
#include <lv2/core/lv2.h>

#include <memory>
#include <mutex>

#include "lv2/IPlugLV2.h"
#include "lv2/LV2State.h"

namespace {

// Instances are constructed one at a time, whichever thread the host instantiates them from.
std::mutex& CreationMutex() {
  static std::mutex mutex;
  return mutex;
}

IPlugLV2* InstanceOf(LV2_Handle handle) { return static_cast<IPlugLV2*>(handle); }

LV2_Handle Instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features) {
  std::lock_guard lock(CreationMutex());
  try {
    std::unique_ptr<IPlugLV2> plug(MakePlug(IPlugInstanceInfo{sampleRate, features}));
    if (!plug) return nullptr;
    plug->MakeDefaultPreset(nullptr, plug->NPresets());
    plug->Prepare();
    return plug.release();
  } catch (...) {
    return nullptr;  // the host reports the plug-in as broken instead of going down with it
  }
}

void ConnectPort(LV2_Handle handle, uint32_t port, void* data) {
  InstanceOf(handle)->ConnectPort(port, data);
}

void Activate(LV2_Handle handle) { InstanceOf(handle)->Activate(); }

void Run(LV2_Handle handle, uint32_t nFrames) { InstanceOf(handle)->Run(nFrames); }

void Deactivate(LV2_Handle handle) { InstanceOf(handle)->Deactivate(); }

void Cleanup(LV2_Handle handle) { delete InstanceOf(handle); }

const void* ExtensionData(const char* uri) { return LV2StateExtensionData(uri); }

}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2_Descriptor* lv2_descriptor(
    uint32_t index) {
  static const LV2_Descriptor kDescriptor = {kPlugURI, Instantiate, ConnectPort, Activate,
                                             Run,      Deactivate,  Cleanup,     ExtensionData};
  return index == 0 ? &kDescriptor : nullptr;
}
