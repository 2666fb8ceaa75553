// The LV2 binding: the plug-in as an LV2 instance. Its ports are the audio channels, one
// control input per parameter in the parameter's real units, and the product's meters as
// control outputs; its state is the program chunk the VST2 binding hands out for one program,
// so state saved through either format restores in the other.
//
// Port order (PortLayout.h): audio inputs, audio outputs, parameters in index order, meters.
//
// Threads: the host calls ConnectPort, Run, Activate and Deactivate from its audio thread
// (never two at once for one instance, as LV2 guarantees); Run, Activate, Deactivate and the
// state calls hold the instance mutex for their whole duration, so a state restore from the
// host's main thread waits for the cycle in progress. ConnectPort only stores a pointer.
#pragma once

#include <cstdint>
#include <vector>

#include <lv2/core/lv2.h>

#include "lv2/IPlugLV2Base.h"
#include "lv2/PortLayout.h"

struct IPlugInstanceInfo {
  double mSampleRate = 44100.0;
  const LV2_Feature* const* mFeatures = nullptr;
};

// A control output the product feeds: its port symbol and name, its range and unit (an
// LV2 units URI, or null).
struct LV2MeterPort {
  const char* mSymbol;
  const char* mName;
  double mMin;
  double mMax;
  const char* mUnit;
};

class IPlugLV2 : public IPlugLV2Base {
 public:
  // Cycles longer than this many frames are processed in pieces of this size, unless the
  // host announces a larger maximum block length (up to kMaxBlockSize).
  static constexpr int kDefaultBlockSize = 1024;
  static constexpr int kMaxBlockSize = 1 << 16;

  IPlugLV2(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
           int uniqueID, int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
           bool plugIsInst);
  ~IPlugLV2() override = default;

  // --- Meter ports, supplied by the product ------------------------------------------------------

  virtual int NMeterPorts() const { return 0; }
  virtual LV2MeterPort GetMeterPort(int) const { return {}; }
  // The value of meter port idx after a cycle of nFrames frames; called by Run with the mutex
  // held, for connected meter ports only.
  virtual float ReadMeterPort(int, uint32_t) { return 0.0f; }

  // --- Called by the entry points (LV2Entry.cpp) -------------------------------------------------

  // After construction: sample rate and block size from the instance info, then every
  // parameter applied (as a VST2 host's open does) and the processing state cleared.
  void Prepare();
  PortLayout GetPortLayout() const;
  void ConnectPort(uint32_t port, void* data);
  void Activate();
  void Deactivate();
  // Applies the control inputs that changed since the last cycle, processes nFrames frames and
  // writes the meter outputs. Allocates nothing and takes only the instance mutex.
  void Run(uint32_t nFrames);

  // Applies one real parameter value the way the VST2 binding applies a host's value: converted
  // to normalised (clamped into the range), a not-a-number ignored. Mutex held by the caller.
  void SetParameterFromPort(int idx, float realValue);
  // Applies every connected control input whose value changed since it was last seen and
  // differs from what its parameter holds (so a port showing a parameter's own value leaves
  // that value exactly as it is). Run does this first; the state's save does it too, so the
  // stored state has the values the host has set even when no cycle ran since.
  void ApplyChangedPorts();
  // Takes the control inputs' present values as seen, so only later changes apply: after a
  // state restore, the restored values stay until the host moves a port.
  void AcceptPortValues();

  // The program chunk: header and parameter state, exactly what the VST2 binding hands out for
  // one program. Loading validates the whole chunk first and changes nothing when it is
  // truncated, too long or of another plug-in; returns whether it was applied.
  void GetProgramChunk(ByteChunk* chunk);
  bool SetProgramChunk(const void* data, size_t size);
  // The URIDs the state is stored under (its key, and atom:Chunk as its type); 0 when the host
  // gave no URI map, which leaves the instance without state.
  uint32_t StateKeyUrid() const { return mStateKeyUrid; }
  uint32_t ChunkTypeUrid() const { return mChunkTypeUrid; }

  // --- Gestures: the plug-in has no editor of its own to make them -----------------------------

  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}

 private:
  double mInitialSampleRate;
  uint32_t mStateKeyUrid = 0;
  uint32_t mChunkTypeUrid = 0;
  int mInitialBlockSize;
  std::vector<float*> mAudioIn, mAudioOut;
  std::vector<float*> mAudioInAt, mAudioOutAt;  // offsets into the host's buffers while split
  std::vector<const float*> mParamPorts;
  std::vector<float> mLastPortValue;
  std::vector<bool> mPortValueSeen;
  std::vector<float*> mMeterPorts;
};

// The entry point constructs the product through this function, which the product defines,
// and names it with this URI.
IPlugLV2* MakePlug(IPlugInstanceInfo instanceInfo);
extern const char* const kPlugURI;

// The key of the stored program chunk: the plug-in URI followed by this.
constexpr const char* kStateKeySuffix = "#program";
