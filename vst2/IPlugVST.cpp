#include "IPlugVST.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <mutex>

#include "core/IPlugEditor.h"

using namespace vst2;

namespace {

IPlugVST* InstanceOf(AEffect* effect) {
  return effect ? static_cast<IPlugVST*>(effect->object) : nullptr;
}

void InitSpeakerArrangement(VstSpeakerArrangement* arr, int nChannels) {
  arr->numChannels = nChannels;
  arr->type = nChannels < 3 ? nChannels - 1 : kSpeakerArrUserDefined;
}

}  // namespace

IPlugVST::IPlugVST(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                   int nPresets, const char* effectName, const char* productName,
                   const char* mfrName, int vendorVersion, int uniqueID, int mfrID, int latency,
                   bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst, 0),
      mHostCallback(instanceInfo.mVSTHostCallback) {
  mAEffect.magic = kEffectMagic;
  mAEffect.dispatcher = VSTDispatcher;
  mAEffect.process = VSTProcess;
  mAEffect.setParameter = VSTSetParameter;
  mAEffect.getParameter = VSTGetParameter;
  mAEffect.numPrograms = nPresets;
  mAEffect.numParams = nParams;
  mAEffect.numInputs = NInChannels();
  mAEffect.numOutputs = NOutChannels();
  mAEffect.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  if (plugDoesChunks) mAEffect.flags |= effFlagsProgramChunks;
  if (LegalIO(1, -1)) mAEffect.flags |= effFlagsCanMono;
  if (plugIsInst) mAEffect.flags |= effFlagsIsSynth;
  mAEffect.initialDelay = latency;
  mAEffect.ioRatio = 1.0f;
  mAEffect.object = this;
  mAEffect.uniqueID = uniqueID;
  mAEffect.version = GetEffectVersion(true);
  mAEffect.processReplacing = VSTProcessReplacing;
  mAEffect.processDoubleReplacing = VSTProcessDoubleReplacing;

  InitSpeakerArrangement(&mInputSpkrArr, NInChannels());
  InitSpeakerArrangement(&mOutputSpkrArr, NOutChannels());

  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  SetBlockSize(1024);

  mFloatInputsAt.resize(mInChannels.size());
  mDoubleInputsAt.resize(mInChannels.size());
  mFloatOutputsAt.resize(mOutChannels.size());
  mDoubleOutputsAt.resize(mOutChannels.size());
}

intptr_t IPlugVST::HostCall(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
  return mHostCallback ? mHostCallback(&mAEffect, opcode, index, value, ptr, opt) : 0;
}

// --- Audio and parameter callbacks --------------------------------------------------------------

template <typename Sample, typename Finish>
void IPlugVST::ProcessFromHost(AEffect* effect, Sample** inputs, Sample** outputs, int nFrames,
                               Finish finish) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return;
  std::lock_guard lock(plug->GetMutex());
  if (plug->DoesMIDI()) plug->HostCall(audioMasterWantMidi);
  if (nFrames <= 0) return;
  // The host's arrays hold one pointer per connected channel.
  const auto& ins = plug->mInChannels;
  const auto& outs = plug->mOutChannels;
  const int nIn = static_cast<int>(
      std::count_if(ins.begin(), ins.end(), [](const InChannel& ch) { return ch.mConnected; }));
  const int nOut = static_cast<int>(
      std::count_if(outs.begin(), outs.end(), [](const OutChannel& ch) { return ch.mConnected; }));
  if ((nIn > 0 && !inputs) || (nOut > 0 && !outputs)) return;

  auto run = [plug, &finish](Sample** in, Sample** out, int n) {
    plug->AttachInputBuffers(0, plug->NInChannels(), in, n);
    plug->AttachOutputBuffers(0, plug->NOutChannels(), out);
    finish(plug, n);
  };
  const int block = plug->GetBlockSize();
  if (nFrames <= block) {
    run(inputs, outputs, nFrames);
    return;
  }
  // A host that passes more frames than it announced gets them processed block by block
  // instead of overrunning the scratch buffers.
  std::vector<Sample*>& inputsAt = plug->ChannelsAt<Sample>(true);
  std::vector<Sample*>& outputsAt = plug->ChannelsAt<Sample>(false);
  for (int done = 0; done < nFrames; done += block) {
    for (int i = 0; i < nIn; ++i) inputsAt[i] = inputs[i] ? inputs[i] + done : nullptr;
    for (int i = 0; i < nOut; ++i) outputsAt[i] = outputs[i] ? outputs[i] + done : nullptr;
    run(inputsAt.data(), outputsAt.data(), std::min(block, nFrames - done));
  }
}

void IPlugVST::VSTProcess(AEffect* effect, float** inputs, float** outputs, int32_t nFrames) {
  ProcessFromHost(effect, inputs, outputs, nFrames,
                  [](IPlugVST* plug, int n) { plug->ProcessBuffersAccumulating(0.0f, n); });
}

void IPlugVST::VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                   int32_t nFrames) {
  ProcessFromHost(effect, inputs, outputs, nFrames,
                  [](IPlugVST* plug, int n) { plug->ProcessBuffers(0.0f, n); });
}

void IPlugVST::VSTProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                         int32_t nFrames) {
  ProcessFromHost(effect, inputs, outputs, nFrames,
                  [](IPlugVST* plug, int n) { plug->ProcessBuffers(0.0, n); });
}

float IPlugVST::VSTGetParameter(AEffect* effect, int32_t idx) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return 0.0f;
  std::lock_guard lock(plug->GetMutex());
  return plug->IsParamIdx(idx) ? static_cast<float>(plug->GetParam(idx)->GetNormalized()) : 0.0f;
}

void IPlugVST::VSTSetParameter(AEffect* effect, int32_t idx, float value) {
  IPlugVST* plug = InstanceOf(effect);
  if (!plug) return;
  std::lock_guard lock(plug->GetMutex());
  // A value outside 0..1 would reach past the parameter's range; a not-a-number means nothing.
  if (!plug->IsParamIdx(idx) || std::isnan(value)) return;
  const double normalized = std::clamp(static_cast<double>(value), 0.0, 1.0);
  if (IPlugEditor* graphics = plug->GetGUI()) graphics->SetParameterFromPlug(idx, normalized, true);
  plug->GetParam(idx)->SetNormalized(normalized);
  plug->OnParamChange(idx);
}

// --- Notifications to the host ------------------------------------------------------------------

void IPlugVST::SendHostNotification(const HostNotification& notification) {
  switch (notification.kind) {
    case HostNotification::Kind::BeginEdit:
      HostCall(audioMasterBeginEdit, notification.paramIdx);
      break;
    case HostNotification::Kind::Automate:
      HostCall(audioMasterAutomate, notification.paramIdx, 0, nullptr,
               static_cast<float>(notification.value));
      break;
    case HostNotification::Kind::EndEdit:
      HostCall(audioMasterEndEdit, notification.paramIdx);
      break;
  }
}

void IPlugVST::BeginInformHostOfParamChange(int idx) {
  NotifyHost({HostNotification::Kind::BeginEdit, idx, 0.0});
}

void IPlugVST::InformHostOfParamChange(int idx, double normalizedValue) {
  NotifyHost({HostNotification::Kind::Automate, idx, normalizedValue});
}

void IPlugVST::EndInformHostOfParamChange(int idx) {
  NotifyHost({HostNotification::Kind::EndEdit, idx, 0.0});
}

void IPlugVST::InformHostOfProgramChange() { HostCall(audioMasterUpdateDisplay); }

bool IPlugVST::IsRenderingOffline() {
  return HostCall(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

const VstTimeInfo* IPlugVST::QueryTime(int32_t requestFlags) {
  return reinterpret_cast<const VstTimeInfo*>(HostCall(audioMasterGetTime, 0, requestFlags));
}

int IPlugVST::GetSamplePos() {
  const VstTimeInfo* t = QueryTime(0);
  return t && t->samplePos >= 0.0 ? static_cast<int>(t->samplePos + 0.5) : 0;
}

double IPlugVST::GetTempo() {
  const VstTimeInfo* t = QueryTime(kVstTempoValid);
  return t && (t->flags & kVstTempoValid) && t->tempo >= 0.0 ? t->tempo : 0.0;
}

void IPlugVST::GetTimeSig(int* num, int* denom) {
  *num = *denom = 0;
  const VstTimeInfo* t = QueryTime(kVstTimeSigValid);
  if (t && (t->flags & kVstTimeSigValid) && t->timeSigNumerator >= 0 &&
      t->timeSigDenominator >= 0) {
    *num = t->timeSigNumerator;
    *denom = t->timeSigDenominator;
  }
}

void IPlugVST::GetTime(ITimeInfo* info) {
  constexpr int32_t kRequest =
      kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;
  const VstTimeInfo* t = QueryTime(kRequest);
  if (!t || !(t->flags & kRequest)) return;
  info->mSamplePos = t->samplePos;
  if ((t->flags & kVstPpqPosValid) && t->ppqPos >= 0.0) info->mPPQPos = t->ppqPos;
  if ((t->flags & kVstTempoValid) && t->tempo > 0.0) info->mTempo = t->tempo;
  if ((t->flags & kVstBarsValid) && t->barStartPos >= 0.0) info->mLastBar = t->barStartPos;
  if ((t->flags & kVstCyclePosValid) && t->cycleStartPos >= 0.0 && t->cycleEndPos >= 0.0) {
    info->mCycleStart = t->cycleStartPos;
    info->mCycleEnd = t->cycleEndPos;
  }
  if ((t->flags & kVstTimeSigValid) && t->timeSigNumerator > 0 && t->timeSigDenominator > 0) {
    info->mNumerator = t->timeSigNumerator;
    info->mDenominator = t->timeSigDenominator;
  }
  info->mTransportIsRunning = t->flags & kVstTransportPlaying;
  info->mTransportLoopEnabled = t->flags & kVstTransportCycleActive;
}

int IPlugVST::GetHost() {
  if (mHost == kHostUninit) {
    char product[256] = "";
    HostCall(audioMasterGetProductString, 0, 0, product);
    product[sizeof product - 1] = '\0';
    int version = 0;
    if (product[0]) {
      const intptr_t d = HostCall(audioMasterGetVendorVersion);
      if (d > 0 && d < (intptr_t{1} << 31)) {
        const int decimal = static_cast<int>(d);
        version = ((decimal / 10000) << 16) | (((decimal % 10000) / 100) << 8) | (decimal % 100);
      }
    }
    SetHost(product, version);
  }
  return mHost;
}

void IPlugVST::HostSpecificInit() {
  if (mHostSpecificInitDone) return;
  mHostSpecificInitDone = true;
  switch (GetHost()) {
    case kHostForte:
    case kHostAudition:
    case kHostOrion:
    case kHostSAWStudio:
      LimitToStereoIO();
      break;
    default:
      break;
  }
  mInputSpkrArr.numChannels = mAEffect.numInputs = NInChannels();
  mOutputSpkrArr.numChannels = mAEffect.numOutputs = NOutChannels();
  OnHostIdentified();
}

// --- Editor and latency -------------------------------------------------------------------------

void IPlugVST::UpdateEditRect() {
  IPlugEditor* graphics = GetGUI();
  if (!graphics) return;
  const int scale = std::clamp(graphics->WindowScale(), 1, 4);
  mEditRect = {0, 0, static_cast<int16_t>(std::min(graphics->Height() * scale, INT16_MAX)),
               static_cast<int16_t>(std::min(graphics->Width() * scale, INT16_MAX))};
}

void IPlugVST::ResizeGraphics(int, int) {
  if (!GetGUI()) return;
  UpdateEditRect();
  OnWindowResize();
}

void IPlugVST::AttachGraphics(IPlugEditor* graphics) {
  if (!graphics) return;
  IPlugBase::AttachGraphics(graphics);
  mAEffect.flags |= effFlagsHasEditor;
  UpdateEditRect();
}

void IPlugVST::SetLatency(int samples) {
  mAEffect.initialDelay = samples;
  IPlugBase::SetLatency(samples);
}

// --- MIDI to the host ---------------------------------------------------------------------------

bool IPlugVST::SendMidiMsg(IMidiMsg* msg) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = sizeof(VstMidiEvent);
  event.deltaFrames = msg->mOffset;
  event.midiData[0] = msg->mStatus;
  event.midiData[1] = msg->mData1;
  event.midiData[2] = msg->mData2;
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return HostCall(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool IPlugVST::SendSysEx(ISysEx* sysex) {
  VstMidiSysexEvent event{};
  event.type = kVstSysExType;
  event.byteSize = sizeof(VstMidiSysexEvent);
  event.deltaFrames = sysex->mOffset;
  event.dumpBytes = sysex->mSize;
  event.sysexDump = reinterpret_cast<char*>(const_cast<uint8_t*>(sysex->mData));
  VstEvents events{};
  events.numEvents = 1;
  events.events[0] = reinterpret_cast<VstEvent*>(&event);
  return HostCall(audioMasterProcessEvents, 0, 0, &events) == 1;
}
