// The host-neutral core of the plug-in: the parameter table, the preset list, the channel layout
// and the buffers through which audio reaches the processing routine, the sample rate and block
// size, the identity of the host, the link to the editor, and the one recursive mutex that
// serialises everything the host, the audio thread and the editor do to the plug-in.
//
// A binding (IPlugVST) derives from it and supplies the host-facing operations; the product
// derives from the binding and overrides Reset, OnParamChange and ProcessDoubleReplacing.
//
// Threads: the host's audio thread (processing), the host's main thread (dispatcher, parameter
// get/set) and the editor all enter through operations that hold mMutex for their whole duration.
// The mutex is recursive because those operations call hooks that take it again.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "ByteChunk.h"
#include "HostNotification.h"
#include "HostId.h"
#include "IParam.h"
#include "IPlugStructs.h"
#include "IPreset.h"

class IPlugEditor;

class IPlugBase {
 public:
  // Texts of the names below hold at most this many characters.
  static constexpr int kMaxNameLen = 127;

  IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
            const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
            int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst,
            int plugAPI);
  virtual ~IPlugBase();

  IPlugBase(const IPlugBase&) = delete;
  IPlugBase& operator=(const IPlugBase&) = delete;

  // --- Hooks for the product -------------------------------------------------------------------

  // Clears the processing state; called when the sample rate or block size changes or the effect
  // is switched off.
  virtual void Reset();
  // Applies parameter idx to the processing.
  virtual void OnParamChange(int idx);
  // Called with the mutex held. The base copies input i to output i and zero-fills the rest.
  virtual void ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames);
  virtual void ProcessSingleReplacing(float** inputs, float** outputs, int nFrames);
  virtual void OnGUIOpen() {}
  virtual void OnGUIClose() {}
  virtual void OnActivate(bool active);
  virtual void ProcessMidiMsg(IMidiMsg* msg) { SendMidiMsg(msg); }
  virtual void ProcessSysEx(ISysEx*) {}
  virtual bool MidiNoteName(int noteNumber, char* name);
  virtual bool SerializeState(ByteChunk* chunk) { return SerializeParams(chunk); }
  // Returns the position after the data, negative on failure.
  virtual int UnserializeState(ByteChunk* chunk, int startPos) {
    return UnserializeParams(chunk, startPos);
  }
  virtual bool CompareState(const double* data, int startPos);
  virtual void OnWindowResize() {}
  virtual void OnHostIdentified() {}

  // The editor's path to change a parameter: sets it from the normalised value, tells the host
  // that value exactly as given, then applies it. Sends no begin/end-edit itself.
  virtual void SetParameterFromGUI(int idx, double normalizedValue);

  // --- Operations the binding supplies ---------------------------------------------------------

  virtual void BeginInformHostOfParamChange(int idx) = 0;
  virtual void InformHostOfParamChange(int idx, double normalizedValue) = 0;
  virtual void EndInformHostOfParamChange(int idx) = 0;
  // Delivers a notification the editor queued, on the calling thread: the host's (from its
  // idle call, mutex held) or the editor's own (without the mutex). The base does nothing.
  virtual void SendHostNotification(const HostNotification&) {}
  // Hands a gesture notification to the editor's queue when it takes it, else delivers it at
  // once (SendHostNotification). Bindings call it from their Begin/Inform/EndInform operations.
  void NotifyHost(const HostNotification& notification);
  virtual void InformHostOfProgramChange() = 0;
  virtual bool IsRenderingOffline() { return false; }
  virtual int GetSamplePos() = 0;
  virtual double GetTempo() = 0;
  virtual void GetTimeSig(int* num, int* denom) = 0;
  virtual void GetTime(ITimeInfo* info) = 0;
  virtual int GetHost() { return mHost; }
  virtual int GetAPI() { return mAPI; }
  virtual void ResizeGraphics(int w, int h) = 0;
  virtual void HostSpecificInit() {}
  // Pushes every parameter to the editor, prepares it for drawing and takes ownership.
  virtual void AttachGraphics(IPlugEditor* graphics);
  virtual void SetLatency(int samples) { mLatency = samples; }
  virtual bool SendMidiMsg(IMidiMsg* msg) = 0;
  virtual bool SendSysEx(ISysEx*) { return false; }
  // Shows every parameter's current value on the editor, if there is one.
  virtual void RedrawParamControls();
  virtual void OnPresetsModified() {}
  // Resizes and zeroes every channel's scratch buffer; nothing when the size is unchanged.
  virtual void SetBlockSize(int blockSize);

  // --- Accessors -------------------------------------------------------------------------------

  IParam* GetParam(int idx) { return mParams[idx].get(); }
  int NParams() const { return static_cast<int>(mParams.size()); }
  int NInChannels() const { return static_cast<int>(mInChannels.size()); }
  int NOutChannels() const { return static_cast<int>(mOutChannels.size()); }
  IPlugEditor* GetGUI() { return mGraphics; }
  double GetSampleRate() const { return mSampleRate; }
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  int GetBlockSize() const { return mBlockSize; }
  int GetLatency() const { return mLatency; }
  int GetTailSize() const { return mTailSize; }
  bool DoesStateChunks() const { return mStateChunks; }
  bool IsInst() const { return mIsInst; }
  bool DoesMIDI() const { return mDoesMidi; }
  const char* GetEffectName() const { return mEffectName; }
  const char* GetProductName() const { return mProductName; }
  const char* GetMfrName() const { return mMfrName; }
  int GetUniqueID() const { return mUniqueID; }
  int GetMfrID() const { return mMfrID; }
  std::recursive_mutex& GetMutex() { return mMutex; }

  // Version packing: major in the high 16 bits, minor in bits 8..15, patch in bits 0..7.
  int GetEffectVersion(bool decimal) const;
  void GetEffectVersionStr(char* out) const;
  int GetHostVersion(bool decimal);
  void GetHostVersionStr(char* out);
  void SetHost(const char* hostName, int version);

  // Whether a channel combination is declared; -1 matches anything.
  bool LegalIO(int nIn, int nOut) const;
  void SetInputChannelConnections(int idx, int n, bool connected);
  void SetOutputChannelConnections(int idx, int n, bool connected);
  void LimitToStereoIO();
  bool IsInChannelConnected(int idx) const;
  bool IsOutChannelConnected(int idx) const;

  // Buffer attachment and processing, called by the binding with the mutex held. nFrames must
  // not exceed the block size (the binding splits longer host calls). A null host channel
  // pointer reads as silence (input) or is skipped (output).
  void AttachInputBuffers(int idx, int n, double** pp, int nFrames);
  void AttachInputBuffers(int idx, int n, float** pp, int nFrames);
  void AttachOutputBuffers(int idx, int n, double** pp);
  void AttachOutputBuffers(int idx, int n, float** pp);
  void ProcessBuffers(double, int nFrames);
  void ProcessBuffers(float, int nFrames);
  void ProcessBuffersAccumulating(float, int nFrames);

  void OnParamReset();

  // --- State and presets -------------------------------------------------------------------------

  static constexpr int32_t kChunkMagic = 0x70666674;  // "tffp" in file order
  static constexpr int32_t kChunkVersion = 0x00010000;

  bool SerializeParams(ByteChunk* chunk);
  int UnserializeParams(ByteChunk* chunk, int startPos);
  static void InitChunkWithIPlugVer(ByteChunk* chunk);
  static int GetIPlugVerFromChunk(ByteChunk* chunk, int* pos);

  // One value per parameter in index order: an int for bool, int and enum parameters, a double
  // for double parameters. Fills the first preset not yet initialised.
  void MakePreset(const char* name, ...);
  void MakeDefaultPreset(const char* name, int n);
  // nParamsNamed pairs of (int index, value typed as in MakePreset); others keep their values.
  void MakePresetFromNamedParams(const char* name, int nParamsNamed, ...);
  void MakePresetFromChunk(const char* name, ByteChunk* chunk);
  void MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk);
  bool RestorePreset(int idx);
  bool RestorePreset(const char* name);
  const char* GetPresetName(int idx) const;
  int NPresets() const { return static_cast<int>(mPresets.size()); }
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  void ModifyCurrentPreset(const char* name = nullptr);
  bool SerializePresets(ByteChunk* chunk);
  int UnserializePresets(ByteChunk* chunk, int startPos);
  void PruneUninitializedPresets();

  // Development aids: write the current state as source lines for building factory presets.
  void DumpPresetSrcCode(const char* filename, const char* paramEnumNames[]);
  void DumpPresetBlob(const char* filename);
  void DumpBankBlob(const char* filename);

 protected:
  struct InChannel {
    bool mConnected = false;
    double** mSrc = nullptr;  // this channel's slot in mInData
    std::vector<double> mScratch;
  };
  struct OutChannel {
    bool mConnected = false;
    double** mDest = nullptr;  // this channel's slot in mOutData
    float* mFDest = nullptr;   // host's single-precision buffer of the current call, or null
    std::vector<double> mScratch;
  };

  int mCurrentPresetIdx = 0;
  int mHost = kHostUninit;
  int mHostVersion = 0;
  int mLatency = 0;
  std::vector<InChannel> mInChannels;
  std::vector<OutChannel> mOutChannels;

 private:
  IPreset* FindFreePreset();

  std::vector<ChannelIO> mChannelIO;
  std::recursive_mutex mMutex;
  char mEffectName[kMaxNameLen + 1] = {};
  char mProductName[kMaxNameLen + 1] = {};
  char mMfrName[kMaxNameLen + 1] = {};
  int mUniqueID;
  int mMfrID;
  int mVersion;
  int mAPI;
  bool mStateChunks;
  bool mIsInst;
  bool mDoesMidi;
  double mSampleRate = 44100.0;
  int mBlockSize = 0;
  int mTailSize = 0;
  IPlugEditor* mGraphics = nullptr;
  std::vector<std::unique_ptr<IParam>> mParams;
  std::vector<IPreset> mPresets;
  std::vector<double*> mInData;
  std::vector<double*> mOutData;
};
