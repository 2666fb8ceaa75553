#include "IPlugLV2.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string>

#include <lv2/atom/atom.h>

#include "lv2/HostFeatures.h"

IPlugLV2::IPlugLV2(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                   int nPresets, const char* effectName, const char* productName,
                   const char* mfrName, int vendorVersion, int uniqueID, int mfrID, int latency,
                   bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst, 0),
      mInitialSampleRate(instanceInfo.mSampleRate),
      mInitialBlockSize(MaxBlockLengthOf(instanceInfo.mFeatures).value_or(kDefaultBlockSize)) {
  mInitialBlockSize = std::clamp(mInitialBlockSize, 1, kMaxBlockSize);
  if (const LV2_URID_Map* map = UridMapOf(instanceInfo.mFeatures)) {
    mStateKeyUrid = map->map(map->handle, (std::string(kPlugURI) + kStateKeySuffix).c_str());
    mChunkTypeUrid = map->map(map->handle, LV2_ATOM__Chunk);
  }
  SetInputChannelConnections(0, NInChannels(), true);
  SetOutputChannelConnections(0, NOutChannels(), true);
  mAudioIn.assign(NInChannels(), nullptr);
  mAudioInAt.assign(NInChannels(), nullptr);
  mAudioOut.assign(NOutChannels(), nullptr);
  mAudioOutAt.assign(NOutChannels(), nullptr);
  mParamPorts.assign(nParams, nullptr);
  mLastPortValue.assign(nParams, 0.0f);
  mPortValueSeen.assign(nParams, false);
}

void IPlugLV2::Prepare() {
  std::lock_guard lock(GetMutex());
  mMeterPorts.assign(NMeterPorts(), nullptr);
  if (std::isfinite(mInitialSampleRate) && mInitialSampleRate > 0.0) {
    SetSampleRate(mInitialSampleRate);
  }
  SetBlockSize(mInitialBlockSize);
  OnParamReset();
  Reset();
}

PortLayout IPlugLV2::GetPortLayout() const { return PortLayout::Of(*this, NMeterPorts()); }

void IPlugLV2::ConnectPort(uint32_t port, void* data) {
  const PortLayout layout = GetPortLayout();
  if (port < layout.FirstAudioOut()) {
    mAudioIn[port] = static_cast<float*>(data);
  } else if (port < layout.FirstParam()) {
    mAudioOut[port - layout.FirstAudioOut()] = static_cast<float*>(data);
  } else if (port < layout.FirstMeter()) {
    mParamPorts[port - layout.FirstParam()] = static_cast<const float*>(data);
  } else if (port < layout.NPorts()) {
    mMeterPorts[port - layout.FirstMeter()] = static_cast<float*>(data);
  }
}

void IPlugLV2::Activate() {
  std::lock_guard lock(GetMutex());
  OnActivate(true);
}

void IPlugLV2::Deactivate() {
  std::lock_guard lock(GetMutex());
  OnActivate(false);
  Reset();
}

void IPlugLV2::SetParameterFromPort(int idx, float realValue) {
  if (std::isnan(realValue)) return;
  IParam* param = GetParam(idx);
  const double normalized = std::clamp(param->GetNormalized(realValue), 0.0, 1.0);
  if (std::isnan(normalized)) return;
  param->SetNormalized(normalized);
  OnParamChange(idx);
}

void IPlugLV2::ApplyChangedPorts() {
  std::lock_guard lock(GetMutex());
  for (int i = 0; i < NParams(); ++i) {
    if (!mParamPorts[i]) continue;
    const float value = *mParamPorts[i];
    // Compared bit for bit, so an unchanged not-a-number is not applied (and ignored) again.
    if (mPortValueSeen[i] && std::memcmp(&value, &mLastPortValue[i], sizeof value) == 0) continue;
    mPortValueSeen[i] = true;
    mLastPortValue[i] = value;
    if (value == static_cast<float>(GetParam(i)->Value())) continue;
    SetParameterFromPort(i, value);
  }
}

void IPlugLV2::AcceptPortValues() {
  std::lock_guard lock(GetMutex());
  for (int i = 0; i < NParams(); ++i) {
    if (!mParamPorts[i]) continue;
    mPortValueSeen[i] = true;
    mLastPortValue[i] = *mParamPorts[i];
  }
}

void IPlugLV2::Run(uint32_t nFrames) {
  std::lock_guard lock(GetMutex());
  ApplyChangedPorts();

  const int total = static_cast<int>(std::min<uint32_t>(nFrames, 1u << 30));
  const int block = GetBlockSize();
  for (int done = 0; done < total; done += block) {
    const int n = std::min(block, total - done);
    for (size_t c = 0; c < mAudioIn.size(); ++c) {
      mAudioInAt[c] = mAudioIn[c] ? mAudioIn[c] + done : nullptr;
    }
    for (size_t c = 0; c < mAudioOut.size(); ++c) {
      mAudioOutAt[c] = mAudioOut[c] ? mAudioOut[c] + done : nullptr;
    }
    AttachInputBuffers(0, NInChannels(), mAudioInAt.data(), n);
    AttachOutputBuffers(0, NOutChannels(), mAudioOutAt.data());
    ProcessBuffers(0.0f, n);
  }

  for (size_t m = 0; m < mMeterPorts.size(); ++m) {
    if (mMeterPorts[m]) *mMeterPorts[m] = ReadMeterPort(static_cast<int>(m), nFrames);
  }
}

void IPlugLV2::GetProgramChunk(ByteChunk* chunk) {
  std::lock_guard lock(GetMutex());
  InitChunkWithIPlugVer(chunk);
  SerializeState(chunk);
}

bool IPlugLV2::SetProgramChunk(const void* data, size_t size) {
  const size_t expected = 8 + 8 * static_cast<size_t>(NParams());
  if (!data || size != expected) return false;
  ByteChunk chunk;
  chunk.PutBytes(data, static_cast<int>(size));
  int pos = 0;
  if (GetIPlugVerFromChunk(&chunk, &pos) != kChunkVersion) return false;
  // The chunk is complete, so reading it sets every parameter.
  std::lock_guard lock(GetMutex());
  if (UnserializeState(&chunk, pos) != static_cast<int>(size)) return false;
  ModifyCurrentPreset();
  RedrawParamControls();
  return true;
}
