#include "LV2State.h"

#include <lv2/state/state.h>

#include <cstring>

#include "lv2/IPlugLV2.h"

namespace {

LV2_State_Status Save(LV2_Handle handle, LV2_State_Store_Function store,
                      LV2_State_Handle storeHandle, uint32_t, const LV2_Feature* const*) {
  auto* plug = static_cast<IPlugLV2*>(handle);
  if (!plug->StateKeyUrid()) return LV2_STATE_ERR_NO_FEATURE;
  plug->ApplyChangedPorts();
  ByteChunk chunk;
  plug->GetProgramChunk(&chunk);
  // The chunk's layout is fixed (little-endian on every machine we build for), so it may be
  // copied between machines.
  return store(storeHandle, plug->StateKeyUrid(), chunk.GetBytes(),
               static_cast<size_t>(chunk.Size()), plug->ChunkTypeUrid(),
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle retrieveHandle, uint32_t, const LV2_Feature* const*) {
  auto* plug = static_cast<IPlugLV2*>(handle);
  if (!plug->StateKeyUrid()) return LV2_STATE_ERR_NO_FEATURE;
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  const void* data = retrieve(retrieveHandle, plug->StateKeyUrid(), &size, &type, &flags);
  if (!data) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != plug->ChunkTypeUrid()) return LV2_STATE_ERR_BAD_TYPE;
  if (!plug->SetProgramChunk(data, size)) return LV2_STATE_ERR_UNKNOWN;
  plug->AcceptPortValues();
  return LV2_STATE_SUCCESS;
}

const LV2_State_Interface kStateInterface = {Save, Restore};

}  // namespace

const void* LV2StateExtensionData(const char* uri) {
  return uri && std::strcmp(uri, LV2_STATE__interface) == 0 ? &kStateInterface : nullptr;
}
