#include "tools/host/HostCallback.h"

#include <cstring>
#include <string_view>

#include "tools/host/HostContext.h"

namespace host {

namespace {

// Copies text into a plug-in's string buffer, which the interface sizes at 64 bytes for the
// vendor and product strings.
intptr_t copyText(void* ptr, const char* text) {
  if (ptr == nullptr) return 0;
  char* out = static_cast<char*>(ptr);
  std::strncpy(out, text, vst2::kVstMaxVendorStrLen - 1);
  out[vst2::kVstMaxVendorStrLen - 1] = '\0';
  return 1;
}

intptr_t recordEvent(HostContext* context, HostEvent::Kind kind, int32_t index, float value) {
  if (context == nullptr) return 0;
  context->events().record({kind, index, value});
  return kind == HostEvent::Kind::UpdateDisplay ? 1 : 0;
}

}  // namespace

intptr_t hostCanDo(const char* capability) {
  if (capability == nullptr) return 0;
  std::string_view text(capability);
  for (const char* yes : {"sendVstTimeInfo", "startStopProcess"}) {
    if (text == yes) return 1;
  }
  for (const char* no :
       {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent",
        "reportConnectionChanges", "acceptIOChanges", "sizeWindow", "offline", "openFileSelector",
        "closeFileSelector", "shellCategory", "sendVstMidiEventFlagIsRealtime", "supplyIdle",
        "supportShell", "editFile", "asyncProcessing"}) {
    if (text == no) return -1;
  }
  return 0;
}

intptr_t hostCallback(vst2::AEffect* effect, int32_t opcode, int32_t index, intptr_t /*value*/,
                      void* ptr, float opt) {
  HostContext* context = HostContext::of(effect);
  switch (opcode) {
    case vst2::audioMasterVersion:
      return kHostVstVersion;
    case vst2::audioMasterGetVendorString:
      return copyText(ptr, kHostVendorString);
    case vst2::audioMasterGetProductString:
      return copyText(ptr, kHostProductString);
    case vst2::audioMasterGetVendorVersion:
      return kHostVendorVersion;
    case vst2::audioMasterCanDo:
      return hostCanDo(static_cast<const char*>(ptr));
    case vst2::audioMasterGetLanguage:
      return 1;  // English
    case vst2::audioMasterAutomate:
      return recordEvent(context, HostEvent::Kind::Automate, index, opt);
    case vst2::audioMasterBeginEdit:
      return recordEvent(context, HostEvent::Kind::BeginEdit, index, 0.0f);
    case vst2::audioMasterEndEdit:
      return recordEvent(context, HostEvent::Kind::EndEdit, index, 0.0f);
    case vst2::audioMasterUpdateDisplay:
      return recordEvent(context, HostEvent::Kind::UpdateDisplay, 0, 0.0f);
    default:
      break;
  }
  if (context == nullptr) return 0;
  switch (opcode) {
    case vst2::audioMasterGetSampleRate:
      return static_cast<intptr_t>(context->sampleRate());
    case vst2::audioMasterGetBlockSize:
      return context->blockSize();
    case vst2::audioMasterGetCurrentProcessLevel:
      return context->processLevel();
    case vst2::audioMasterGetAutomationState:
      return 1;  // automation off
    case vst2::audioMasterGetTime:
      return reinterpret_cast<intptr_t>(context->timeInfo());
    case vst2::audioMasterGetDirectory:
      return reinterpret_cast<intptr_t>(context->pluginDirectory().c_str());
    default:
      return 0;
  }
}

}  // namespace host
