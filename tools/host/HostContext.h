// The host's side of one loaded plug-in instance: the sample rate, block size and process
// level the host callback reports, the transport record handed out for audioMasterGetTime,
// and the log of parameter notifications. The host callback finds the context of the calling
// instance through the effect record's host-reserved field `resvd1`; while the entry point is
// still running (the plug-in has no record to pass yet, or passes null) it uses the context
// of the instance being created on the calling thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "tools/host/HostEventLog.h"
#include "vst2/VstAbi.h"

namespace host {

struct HostSettings {
  double sampleRate = 48000.0;
  int32_t blockSize = 512;
  // What audioMasterGetCurrentProcessLevel answers: kVstProcessLevelRealtime while a live
  // host would play, kVstProcessLevelOffline when rendering a file faster than real time.
  int32_t processLevel = vst2::kVstProcessLevelRealtime;
  double tempo = 120.0;  // beats per minute of the transport, 4/4 time
};

class HostContext {
 public:
  HostContext(const HostSettings& settings, std::string pluginDirectory);
  HostContext(const HostContext&) = delete;
  HostContext& operator=(const HostContext&) = delete;

  // The context of the instance an effect record belongs to; during creation on this thread,
  // the context of the instance being created; else null.
  static HostContext* of(const vst2::AEffect* effect);
  // Ties the record to this context (stores the context in `resvd1`).
  void attach(vst2::AEffect& effect);

  // Marks this context as the one being created on the calling thread until destroyed.
  class CreationScope {
   public:
    explicit CreationScope(HostContext& context);
    ~CreationScope();
    CreationScope(const CreationScope&) = delete;
    CreationScope& operator=(const CreationScope&) = delete;

   private:
    HostContext* mPrevious;
  };

  double sampleRate() const { return mSampleRate.load(); }
  int32_t blockSize() const { return mBlockSize.load(); }
  int32_t processLevel() const { return mProcessLevel.load(); }
  void setSampleRate(double rate);
  void setBlockSize(int32_t frames) { mBlockSize.store(frames); }
  void setProcessLevel(int32_t level) { mProcessLevel.store(level); }

  // The transport record. Position and play state change only through the two calls below,
  // which the thread driving the audio makes between blocks; the callback hands out the
  // record's address. The storage is 128 zeroed bytes: some plug-ins read past the 88 bytes
  // of the record as others declare it.
  const vst2::VstTimeInfo* timeInfo() const;
  void setPlaying(bool playing);
  void advance(int64_t frames);

  HostEventLog& events() { return mEvents; }
  const std::string& pluginDirectory() const { return mPluginDirectory; }

 private:
  void refreshTimeInfo();

  std::atomic<double> mSampleRate;
  std::atomic<int32_t> mBlockSize;
  std::atomic<int32_t> mProcessLevel;
  double mTempo;
  int64_t mPosition = 0;
  bool mPlaying = false;
  alignas(8) unsigned char mTimeStorage[128] = {};
  HostEventLog mEvents;
  std::string mPluginDirectory;
};

}  // namespace host
