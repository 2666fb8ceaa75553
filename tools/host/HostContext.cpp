#include "tools/host/HostContext.h"

#include <cmath>
#include <cstring>

namespace host {

namespace {

thread_local HostContext* tCreating = nullptr;

static_assert(sizeof(vst2::VstTimeInfo) <= 128);

}  // namespace

HostContext::HostContext(const HostSettings& settings, std::string pluginDirectory)
    : mSampleRate(settings.sampleRate),
      mBlockSize(settings.blockSize),
      mProcessLevel(settings.processLevel),
      mTempo(settings.tempo),
      mPluginDirectory(std::move(pluginDirectory)) {
  refreshTimeInfo();
}

HostContext* HostContext::of(const vst2::AEffect* effect) {
  if (effect != nullptr && effect->resvd1 != 0)
    return reinterpret_cast<HostContext*>(effect->resvd1);
  return tCreating;
}

void HostContext::attach(vst2::AEffect& effect) {
  effect.resvd1 = reinterpret_cast<intptr_t>(this);
}

HostContext::CreationScope::CreationScope(HostContext& context) : mPrevious(tCreating) {
  tCreating = &context;
}

HostContext::CreationScope::~CreationScope() { tCreating = mPrevious; }

void HostContext::setSampleRate(double rate) {
  mSampleRate.store(rate);
  refreshTimeInfo();
}

const vst2::VstTimeInfo* HostContext::timeInfo() const {
  return reinterpret_cast<const vst2::VstTimeInfo*>(mTimeStorage);
}

void HostContext::setPlaying(bool playing) {
  if (playing != mPlaying) {
    mPlaying = playing;
    refreshTimeInfo();
    reinterpret_cast<vst2::VstTimeInfo*>(mTimeStorage)->flags |= vst2::kVstTransportChanged;
  }
}

void HostContext::advance(int64_t frames) {
  mPosition += frames;
  refreshTimeInfo();
}

void HostContext::refreshTimeInfo() {
  vst2::VstTimeInfo info{};
  info.samplePos = static_cast<double>(mPosition);
  info.sampleRate = mSampleRate.load();
  info.tempo = mTempo;
  info.ppqPos = info.sampleRate > 0.0 ? info.samplePos / info.sampleRate * mTempo / 60.0 : 0.0;
  info.barStartPos = std::floor(info.ppqPos / 4.0) * 4.0;
  info.timeSigNumerator = 4;
  info.timeSigDenominator = 4;
  info.flags = vst2::kVstPpqPosValid | vst2::kVstTempoValid | vst2::kVstBarsValid |
               vst2::kVstTimeSigValid | (mPlaying ? vst2::kVstTransportPlaying : 0);
  std::memcpy(mTimeStorage, &info, sizeof info);
}

}  // namespace host
