// The dispatcher: everything the host does to the plug-in except audio and single-parameter
// get/set. Every opcode runs with the instance mutex held; the idle opcodes take it and do
// nothing; effClose drops it before destroying the instance.
//
// The host is not trusted: out-of-range indices and null pointers return 0 and change nothing,
// texts copied into host buffers are cut to the sizes in IPlugVST.h, and nothing thrown inside
// ever reaches the host.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "IPlugVST.h"
#include "core/TextUtil.h"
#include "core/IPlugEditor.h"
#include "vst2/EditorSnapshot.h"

using namespace vst2;

namespace {

constexpr intptr_t kVstVersion = 2400;
constexpr intptr_t kNvEf = 0x4E764566;
constexpr intptr_t kCockosYes = 0xBEEF0000;
constexpr intptr_t kCockosHandled = 0xBEEF;
constexpr int32_t kLastHandledOpcode = effGetSpeakerArrangement;
// Chunks larger than this are refused rather than allocated: ours are a few kilobytes.
constexpr intptr_t kMaxChunkSize = 16 << 20;

int ToIndex(intptr_t value) {
  return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : -1;
}

// Reads a decimal number from the start of the text (after white space and an optional '+'),
// independent of the process locale. No number gives 0; a number beyond the range of a double
// or one that is not finite gives false.
bool ParseNumber(const char* text, double* value) {
  while (isspace(static_cast<unsigned char>(*text))) ++text;
  if (*text == '+') ++text;
  double parsed = 0.0;
  const auto result = std::from_chars(text, text + strlen(text), parsed);
  if (result.ec == std::errc::result_out_of_range) return false;  // beyond any double
  *value = parsed;
  return std::isfinite(parsed);
}

}  // namespace

intptr_t IPlugVST::VSTDispatcher(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt) {
  IPlugVST* plug = effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
  if (!plug) return 0;
  if (opcode == effClose) {
    // Wait for any call in progress, then let go before the instance (and its mutex) goes.
    { std::lock_guard lock(plug->GetMutex()); }
    delete plug;
    return 0;
  }
  std::lock_guard lock(plug->GetMutex());
  if (opcode == effEditIdle || opcode == effIdle) return 0;
  if (opcode < 0 || opcode > kLastHandledOpcode) return 0;
  try {
    return plug->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

intptr_t IPlugVST::Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      HostSpecificInit();
      OnParamReset();
      return 0;

    case effSetProgram:
      if (!DoesStateChunks()) ModifyCurrentPreset();
      RestorePreset(ToIndex(value));
      return 0;
    case effGetProgram:
      return GetCurrentPresetIdx();
    case effSetProgramName:
      if (text) {
        ModifyCurrentPreset(text);
        OnPresetsModified();
      }
      return 0;
    case effGetProgramName:
      CopyText(text, GetPresetName(GetCurrentPresetIdx()), kProgNameBufSize);
      return 0;
    case effGetProgramNameIndexed:
      if (!text) return 0;
      CopyText(text, GetPresetName(index), kProgNameBufSize);
      return *text ? 1 : 0;

    case effGetParamLabel:
      if (IsParamIdx(index)) CopyText(text, GetParam(index)->GetLabelForHost(), kParamTextBufSize);
      return 0;
    case effGetParamDisplay:
      if (IsParamIdx(index) && text) {
        char display[IParam::kDisplayBufSize];
        GetParam(index)->GetDisplayForHost(display);
        CopyText(text, display, kParamTextBufSize);
      }
      return 0;
    case effGetParamName:
      if (IsParamIdx(index)) CopyText(text, GetParam(index)->GetNameForHost(), kParamTextBufSize);
      return 0;
    case effCanBeAutomated:
      return IsParamIdx(index) ? 1 : 0;
    case effString2Parameter:
      return DoString2Parameter(index, text);

    case effSetSampleRate:
      // A rate of zero, below zero or not a number would leave no sound filter.
      if (std::isfinite(opt) && opt > 0.0f) SetSampleRate(opt);
      Reset();
      return 0;
    case effSetBlockSize:
      if (value >= 1) SetBlockSize(static_cast<int>(std::min<intptr_t>(value, kMaxBlockSize)));
      Reset();
      return 0;
    case effMainsChanged:
      if (value == 0) {
        OnActivate(false);
        Reset();
      } else {
        OnActivate(true);
      }
      return 0;

    case effEditGetRect:
      if (!ptr || !GetGUI()) return 0;
      *static_cast<ERect**>(ptr) = &mEditRect;
      return 1;
    case effEditOpen:
      if (!GetGUI() || !GetGUI()->OpenWindow(ptr)) return 0;
      OnGUIOpen();
      return 1;
    case effEditClose:
      if (!GetGUI()) return 0;
      OnGUIClose();
      GetGUI()->CloseWindow();
      return 1;

    case effGetChunk:
      return ptr ? DoGetChunk(index == 0, static_cast<void**>(ptr)) : 0;
    case effSetChunk:
      return DoSetChunk(index == 0, ptr, value);

    case effProcessEvents:
      return DoProcessEvents(static_cast<const VstEvents*>(ptr));
    case effGetInputProperties:
    case effGetOutputProperties:
      return DoPinProperties(opcode == effGetInputProperties, index,
                             static_cast<VstPinProperties*>(ptr));
    case effSetSpeakerArrangement:
      return DoSetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                                     static_cast<const VstSpeakerArrangement*>(ptr));
    case effGetSpeakerArrangement:
      if (!value && !ptr) return 0;
      if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &mInputSpkrArr;
      if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &mOutputSpkrArr;
      return 1;

    case effIdentify:
      return kNvEf;
    case effGetPlugCategory:
      return IsInst() ? kPlugCategSynth : kPlugCategEffect;
    case effGetEffectName:
      if (!text) return 0;
      CopyText(text, GetEffectName(), kEffectNameBufSize);
      return 1;
    case effGetVendorString:
      if (!text) return 0;
      CopyText(text, GetMfrName(), kVendorBufSize);
      return 1;
    case effGetProductString:
      if (!text) return 0;
      CopyText(text, GetProductName(), kProductBufSize);
      return 1;
    case effGetVendorVersion:
      return GetEffectVersion(true);
    case effVendorSpecific:
      return DoVendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return DoCanDo(text);
    case effGetTailSize:
      return GetTailSize();
    case effGetVstVersion:
      return kVstVersion;
    case effGetMidiKeyName:
      return DoGetMidiKeyName(static_cast<MidiKeyName*>(ptr));

    default:
      return 0;
  }
}

intptr_t IPlugVST::DoGetChunk(bool isBank, void** data) {
  ByteChunk& chunk = isBank ? mBankState : mState;
  InitChunkWithIPlugVer(&chunk);
  bool ok;
  if (isBank) {
    ModifyCurrentPreset();
    ok = SerializePresets(&chunk);
  } else {
    ok = SerializeState(&chunk);
  }
  if (!ok || chunk.Size() == 0) return 0;
  *data = chunk.GetBytes();
  return chunk.Size();
}

intptr_t IPlugVST::DoSetChunk(bool isBank, const void* data, intptr_t size) {
  if (!data || size < 0 || size > kMaxChunkSize) return 0;
  ByteChunk& chunk = isBank ? mBankState : mState;
  chunk.Resize(static_cast<int>(size));
  if (size > 0) memcpy(chunk.GetBytes(), data, static_cast<size_t>(size));
  int pos = 0;
  const int version = GetIPlugVerFromChunk(&chunk, &pos);
  // A program chunk, or a bank written before banks carried the header, is plain state.
  if (!isBank || version < kChunkVersion) {
    pos = UnserializeState(&chunk, pos);
    ModifyCurrentPreset();
  } else {
    pos = UnserializePresets(&chunk, pos);
  }
  if (pos < 0) return 0;
  RedrawParamControls();
  return 1;
}

intptr_t IPlugVST::DoProcessEvents(const VstEvents* events) {
  if (!events) return 0;
  VstEvent* const* list = events->events;  // numEvents entries, however many are declared
  for (int i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
    if (!event) continue;
    if (event->type == kVstMidiType) {
      const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
      IMidiMsg msg{midi->deltaFrames, midi->midiData[0], midi->midiData[1], midi->midiData[2]};
      ProcessMidiMsg(&msg);
    } else if (event->type == kVstSysExType) {
      const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
      ISysEx msg{sysex->deltaFrames, sysex->dumpBytes,
                 reinterpret_cast<const uint8_t*>(sysex->sysexDump)};
      ProcessSysEx(&msg);
    }
  }
  return 1;
}

intptr_t IPlugVST::DoString2Parameter(int idx, const char* text) {
  if (!IsParamIdx(idx)) return 0;
  if (!text) return 1;
  IParam* param = GetParam(idx);
  double value = 0.0;
  if (param->GetNDisplayTexts() > 0) {
    int mapped = 0;
    if (!param->MapDisplayText(text, &mapped)) return 0;
    value = mapped;
  } else {
    if (!ParseNumber(text, &value)) return 0;
    if (param->DisplayIsNegated()) value = -value;
  }
  if (IPlugEditor* graphics = GetGUI()) graphics->SetParameterFromPlug(idx, value, false);
  param->Set(value);
  OnParamChange(idx);
  return 1;
}

intptr_t IPlugVST::DoPinProperties(bool isInput, int idx, VstPinProperties* props) {
  const int count = isInput ? NInChannels() : NOutChannels();
  if (idx < 0 || idx >= count || !props) return 0;
  // Channels pair up as stereo from the first: 0 with 1, 2 with 3, and so on.
  props->flags =
      (idx % 2 == 1 || idx == count - 1) ? kVstPinIsActive : (kVstPinIsActive | kVstPinIsStereo);
  snprintf(props->label, sizeof props->label, "%s %d", isInput ? "Input" : "Output", idx + 1);
  return 1;
}

intptr_t IPlugVST::DoSetSpeakerArrangement(const VstSpeakerArrangement* in,
                                           const VstSpeakerArrangement* out) {
  if (!in && !out) return 0;
  if (in) {
    const int n = std::clamp(in->numChannels, 0, NInChannels());
    SetInputChannelConnections(0, n, true);
    SetInputChannelConnections(n, NInChannels() - n, false);
  }
  if (out) {
    const int n = std::clamp(out->numChannels, 0, NOutChannels());
    SetOutputChannelConnections(0, n, true);
    SetOutputChannelConnections(n, NOutChannels() - n, false);
  }
  return 1;
}

intptr_t IPlugVST::DoVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) {
  if (index == kEditorSnapshotIndex) return DoEditorSnapshot(static_cast<EditorSnapshot*>(ptr));
  const int paramIdx = ToIndex(value);
  if (index == 7 && ptr) {
    // The host asks for the display of a normalised value without setting it.
    if (IsParamIdx(paramIdx)) {
      char display[IParam::kDisplayBufSize];
      GetParam(paramIdx)->GetDisplayForHost(opt, true, display, true);
      CopyText(static_cast<char*>(ptr), display, kParamTextBufSize);
    }
    return kCockosHandled;
  }
  if (index == 8 && IsParamIdx(paramIdx)) {
    // Whether the parameter moves in integer steps.
    return GetParam(paramIdx)->Type() != IParam::kTypeDouble ? kCockosHandled : 0;
  }
  return 0;
}

intptr_t IPlugVST::DoEditorSnapshot(EditorSnapshot* snapshot) {
  if (!snapshot || snapshot->structSize < static_cast<int32_t>(sizeof(EditorSnapshot))) return 0;
  IPlugEditorPixels pixels;
  if (!GetGUI() || !GetGUI()->RenderSnapshot(snapshot->hoverX, snapshot->hoverY, &pixels)) {
    return 0;
  }
  snapshot->width = pixels.width;
  snapshot->height = pixels.height;
  snapshot->rowSpan = pixels.rowSpan;
  snapshot->pixels = pixels.pixels;
  return 1;
}

intptr_t IPlugVST::DoCanDo(const char* text) {
  if (!text) return 0;
  if (!strcmp(text, "receiveVstTimeInfo")) return 1;
  if (DoesMIDI() && (!strcmp(text, "sendVstEvents") || !strcmp(text, "sendVstMidiEvent") ||
                     !strcmp(text, "receiveVstEvents") || !strcmp(text, "receiveVstMidiEvent"))) {
    return 1;
  }
  if (!strcmp(text, "hasCockosExtensions")) {
    mHasVSTExtensions |= 1;
    return kCockosYes;
  }
  if (!strcmp(text, "hasCockosViewAsConfig")) {
    mHasVSTExtensions |= 2;
    return kCockosYes;
  }
  return 0;
}

intptr_t IPlugVST::DoGetMidiKeyName(MidiKeyName* key) {
  if (!key) return 0;
  key->keyName[0] = '\0';
  return MidiNoteName(key->thisKeyNumber, key->keyName) ? 1 : 0;
}
