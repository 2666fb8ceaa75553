// The LV2 UI library's only exported symbol, lv2ui_descriptor, and the descriptor's functions:
// each finds the UI instance in its handle and hands the call to IPlugLV2UI.
#include <cstring>
#include <memory>
#include <mutex>

#include <lv2/ui/ui.h>

#include "lv2/ui/IPlugLV2UI.h"

namespace {

// UI instances are constructed one at a time, whichever thread the host instantiates them from.
std::mutex& CreationMutex() {
  static std::mutex mutex;
  return mutex;
}

IPlugLV2UI* InstanceOf(LV2UI_Handle handle) { return static_cast<IPlugLV2UI*>(handle); }

LV2UI_Handle Instantiate(const LV2UI_Descriptor*, const char*, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
  if (!widget) return nullptr;
  std::unique_ptr<IPlugLV2UI> plug;
  try {
    std::lock_guard lock(CreationMutex());
    plug.reset(MakeUIPlug(IPlugInstanceInfo{write, controller, features}));
  } catch (...) {
    return nullptr;  // the host reports the UI as broken instead of going down with it
  }
  if (!plug) return nullptr;
  *widget = plug->Open();
  if (!*widget) {
    plug->Close();
    return nullptr;
  }
  return plug.release();
}

void Cleanup(LV2UI_Handle handle) {
  IPlugLV2UI* plug = InstanceOf(handle);
  plug->Close();
  delete plug;
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format,
               const void* buffer) {
  InstanceOf(handle)->PortEvent(port, bufferSize, format, buffer);
}

int Idle(LV2UI_Handle handle) { return InstanceOf(handle)->Idle(); }

const void* ExtensionData(const char* uri) {
  static const LV2UI_Idle_Interface kIdle = {Idle};
  return uri && std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &kIdle : nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const LV2UI_Descriptor* lv2ui_descriptor(
    uint32_t index) {
  static const LV2UI_Descriptor kDescriptor = {kPlugUIURI, Instantiate, Cleanup, PortEvent,
                                               ExtensionData};
  return index == 0 ? &kDescriptor : nullptr;
}
