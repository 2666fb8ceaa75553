// Parameter state, the preset list and the chunks exchanged with the host.
//
// Parameter state is each parameter's real value as an 8-byte double, in index order, nothing
// else. Host chunks start with the header "tffp" / 0x00010000; a bank holds, per preset, its name
// (int32 length and bytes), an initialised flag byte and, when set, the preset's state.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Base64.h"
#include "IPlugBase.h"
#include "TextUtil.h"

namespace {

// Any value a preset maker could plausibly be given is told apart from this marker.
constexpr double kUnsetMarker = 9.999e-8;

bool TakesIntArgument(const IParam* param) {
  return param->Type() == IParam::kTypeBool || param->Type() == IParam::kTypeInt ||
         param->Type() == IParam::kTypeEnum;
}

}  // namespace

bool IPlugBase::SerializeParams(ByteChunk* chunk) {
  std::lock_guard lock(mMutex);
  for (int i = 0; i < NParams(); ++i) chunk->Put(GetParam(i)->Value());
  return chunk->Size() > 0;
}

int IPlugBase::UnserializeParams(ByteChunk* chunk, int startPos) {
  std::lock_guard lock(mMutex);
  int pos = startPos;
  for (int i = 0; pos >= 0 && i < NParams(); ++i) {
    double value = 0.0;
    pos = chunk->Get(&value, pos);
    if (pos < 0) value = 0.0;
    GetParam(i)->Set(value);
  }
  OnParamReset();
  return pos;
}

void IPlugBase::InitChunkWithIPlugVer(ByteChunk* chunk) {
  chunk->Clear();
  chunk->Put(kChunkMagic);
  chunk->Put(kChunkVersion);
}

int IPlugBase::GetIPlugVerFromChunk(ByteChunk* chunk, int* pos) {
  int32_t magic = 0;
  if (*pos < 0 || chunk->Get(&magic, *pos) < 0 || magic != kChunkMagic) return 0;
  int32_t version = 0;
  const int next = chunk->Get(&version, *pos + 4);
  if (next < 0) {
    *pos = -1;
    return 0;
  }
  *pos = next;
  return version;
}

// --- Making presets -----------------------------------------------------------------------------

IPreset* IPlugBase::FindFreePreset() {
  for (IPreset& preset : mPresets) {
    if (!preset.mInitialized) return &preset;
  }
  return nullptr;
}

namespace {

IPreset* ClaimPreset(IPreset* preset, const char* name) {
  if (preset) {
    preset->mInitialized = true;
    CopyText(preset->mName, name, sizeof preset->mName);
  }
  return preset;
}

}  // namespace

void IPlugBase::MakePreset(const char* name, ...) {
  IPreset* preset = ClaimPreset(FindFreePreset(), name);
  if (!preset) return;
  va_list args;
  va_start(args, name);
  for (int i = 0; i < NParams(); ++i) {
    const double value = TakesIntArgument(GetParam(i)) ? va_arg(args, int) : va_arg(args, double);
    preset->mChunk.Put(value);
  }
  va_end(args);
}

void IPlugBase::MakeDefaultPreset(const char* name, int n) {
  for (int i = 0; i < n; ++i) {
    IPreset* preset = ClaimPreset(FindFreePreset(), name ? name : "Empty");
    if (!preset) return;
    SerializeState(&preset->mChunk);
  }
}

void IPlugBase::MakePresetFromNamedParams(const char* name, int nParamsNamed, ...) {
  std::vector<double> values(static_cast<size_t>(NParams()), kUnsetMarker);
  va_list args;
  va_start(args, nParamsNamed);
  for (int i = 0; i < nParamsNamed; ++i) {
    const int idx = va_arg(args, int);
    // Past a bad index the type of the following value is unknown: the call makes nothing.
    if (idx < 0 || idx >= NParams()) {
      va_end(args);
      return;
    }
    values[idx] = TakesIntArgument(GetParam(idx)) ? va_arg(args, int) : va_arg(args, double);
  }
  va_end(args);

  IPreset* preset = ClaimPreset(FindFreePreset(), name);
  if (!preset) return;
  for (int i = 0; i < NParams(); ++i) {
    preset->mChunk.Put(values[i] == kUnsetMarker ? GetParam(i)->Value() : values[i]);
  }
}

void IPlugBase::MakePresetFromChunk(const char* name, ByteChunk* chunk) {
  if (IPreset* preset = ClaimPreset(FindFreePreset(), name)) preset->mChunk.PutChunk(*chunk);
}

void IPlugBase::MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk) {
  const std::vector<unsigned char> bytes = Base64Decode(blob, sizeOfChunk);
  if (IPreset* preset = ClaimPreset(FindFreePreset(), name)) {
    preset->mChunk.PutBytes(bytes.data(), static_cast<int>(bytes.size()));
  }
}

// --- Using presets ------------------------------------------------------------------------------

bool IPlugBase::RestorePreset(int idx) {
  if (idx < 0 || idx >= NPresets()) return false;
  IPreset& preset = mPresets[idx];
  if (!preset.mInitialized) {
    // A never-used preset captures the current sound under a new name.
    int nUserPresets = 0;
    for (const IPreset& other : mPresets) {
      if (strstr(other.mName, "user preset")) ++nUserPresets;
    }
    preset.mInitialized = true;
    snprintf(preset.mName, sizeof preset.mName, "%s %d", "user preset", nUserPresets + 1);
    if (!SerializeState(&preset.mChunk)) return false;
  } else if (UnserializeState(&preset.mChunk, 0) < 1) {
    return false;
  }
  mCurrentPresetIdx = idx;
  OnPresetsModified();
  RedrawParamControls();
  return true;
}

bool IPlugBase::RestorePreset(const char* name) {
  if (!name || !*name) return false;
  for (int i = 0; i < NPresets(); ++i) {
    if (strcmp(mPresets[i].mName, name) == 0) return RestorePreset(i);
  }
  return false;
}

const char* IPlugBase::GetPresetName(int idx) const {
  return idx >= 0 && idx < NPresets() ? mPresets[idx].mName : "";
}

void IPlugBase::ModifyCurrentPreset(const char* name) {
  if (mCurrentPresetIdx < 0 || mCurrentPresetIdx >= NPresets()) return;
  IPreset& preset = mPresets[mCurrentPresetIdx];
  preset.mChunk.Clear();
  SerializeState(&preset.mChunk);
  if (name && *name) CopyText(preset.mName, name, sizeof preset.mName);
}

bool IPlugBase::SerializePresets(ByteChunk* chunk) {
  for (IPreset& preset : mPresets) {
    chunk->PutStr(preset.mName);
    chunk->Put(static_cast<uint8_t>(preset.mInitialized ? 1 : 0));
    if (preset.mInitialized) chunk->PutChunk(preset.mChunk);
  }
  return true;
}

int IPlugBase::UnserializePresets(ByteChunk* chunk, int startPos) {
  int pos = startPos;
  for (size_t i = 0; pos >= 0 && i < mPresets.size(); ++i) {
    IPreset& preset = mPresets[i];
    std::string name;
    pos = chunk->GetStr(&name, pos);
    CopyText(preset.mName, pos < 0 ? "" : name.c_str(), sizeof preset.mName);

    uint8_t flag = 0;
    pos = chunk->Get(&flag, pos);
    if (pos < 0 || flag == 0) {
      if (pos >= 0) preset.mInitialized = false;
      continue;
    }
    pos = UnserializeState(chunk, pos);
    // Only a preset whose state was read in full counts as initialised: a bank cut short must
    // not leave a preset flagged with a partial state that a later save would write out.
    if (pos > 0) {
      preset.mInitialized = true;
      preset.mChunk.Clear();
      SerializeState(&preset.mChunk);
    }
  }
  RestorePreset(mCurrentPresetIdx);
  return pos;
}

void IPlugBase::PruneUninitializedPresets() {
  std::erase_if(mPresets, [](const IPreset& preset) { return !preset.mInitialized; });
  if (mCurrentPresetIdx >= NPresets()) mCurrentPresetIdx = NPresets() > 0 ? NPresets() - 1 : 0;
}

// --- Source dumps -------------------------------------------------------------------------------

namespace {

void WriteBlobLine(FILE* file, const char* name, const ByteChunk& chunk) {
  fprintf(file, "MakePresetFromBlob(\"%s\", \"", name);
  fprintf(file, "%s\", %i);\n", Base64Encode(chunk.GetBytes(), chunk.Size()).c_str(), chunk.Size());
}

}  // namespace

void IPlugBase::DumpPresetSrcCode(const char* filename, const char* paramEnumNames[]) {
  FILE* file = fopen(filename, "w");
  if (!file) return;
  fprintf(file, "  MakePresetFromNamedParams(\"name\", %d", NParams());
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    char value[64];
    if (param->Type() == IParam::kTypeBool) {
      snprintf(value, sizeof value, "%s", param->Value() >= 0.5 ? "true" : "false");
    } else if (TakesIntArgument(param)) {
      snprintf(value, sizeof value, "%d", TruncToInt(param->Value()));
    } else {
      snprintf(value, sizeof value, "%.6f", param->Value());
    }
    fprintf(file, ",\n    %s, %s", paramEnumNames[i], value);
  }
  fprintf(file, ");\n");
  fclose(file);
}

void IPlugBase::DumpPresetBlob(const char* filename) {
  if (mCurrentPresetIdx < 0 || mCurrentPresetIdx >= NPresets()) return;
  FILE* file = fopen(filename, "w");
  if (!file) return;
  WriteBlobLine(file, "name", mPresets[mCurrentPresetIdx].mChunk);
  fclose(file);
}

void IPlugBase::DumpBankBlob(const char* filename) {
  FILE* file = fopen(filename, "w");
  if (!file) return;
  for (const IPreset& preset : mPresets) WriteBlobLine(file, preset.mName, preset.mChunk);
  fclose(file);
}
