// The VST 2.4 binding: fills the effect record the host drives, answers the host's audio,
// parameter and dispatcher callbacks, and carries the plug-in's notifications and time queries
// to the host.
//
// Every callback finds the instance through AEffect::object and holds the instance mutex for its
// whole body, with two exceptions in the dispatcher: effClose drops it before destroying the
// instance, and effEditClose drops it before closing the editor (which may wait for the
// editor's own thread, and that thread takes the mutex to change parameters). The host
// callback is invoked with the instance mutex held, except as below.
//
// Gesture notifications (begin-edit, automate, end-edit) made on the editor's own thread are
// queued by the editor and reach the host from effEditIdle, on the host's thread; when a host
// never idles, the editor's thread sends them itself, without the mutex (see IGraphicsX11.h).
#pragma once

#include <type_traits>
#include <vector>

#include "core/IPlugBase.h"
#include "vst2/EditorSnapshot.h"
#include "vst2/VstAbi.h"

struct IPlugInstanceInfo {
  vst2::HostCallback mVSTHostCallback = nullptr;
};

class IPlugVST : public IPlugBase {
 public:
  // Texts copied into host buffers are cut to these sizes (terminator included). The interface
  // promises 8 bytes for parameter texts, which no host relies on and which would make the
  // parameter names ambiguous; 24 is what hosts commonly pass and holds every name we have.
  static constexpr int kParamTextBufSize = 24;
  static constexpr int kProgNameBufSize = vst2::kVstMaxProgNameLen;
  static constexpr int kEffectNameBufSize = vst2::kVstMaxEffectNameLen;
  static constexpr int kVendorBufSize = vst2::kVstMaxVendorStrLen;
  static constexpr int kProductBufSize = vst2::kVstMaxProductStrLen;
  // Hosts may announce at most this block size; larger process calls are split.
  static constexpr int kMaxBlockSize = 1 << 16;

  IPlugVST(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
           const char* effectName, const char* productName, const char* mfrName, int vendorVersion,
           int uniqueID, int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
           bool plugIsInst);
  ~IPlugVST() override = default;

  vst2::AEffect* GetAEffect() { return &mAEffect; }

  void BeginInformHostOfParamChange(int idx) override;
  void InformHostOfParamChange(int idx, double normalizedValue) override;
  void EndInformHostOfParamChange(int idx) override;
  void SendHostNotification(const HostNotification& notification) override;
  void InformHostOfProgramChange() override;
  bool IsRenderingOffline() override;
  int GetSamplePos() override;
  double GetTempo() override;
  void GetTimeSig(int* num, int* denom) override;
  void GetTime(ITimeInfo* info) override;
  int GetHost() override;
  void ResizeGraphics(int w, int h) override;
  void HostSpecificInit() override;
  void AttachGraphics(IPlugEditor* graphics) override;
  void SetLatency(int samples) override;
  bool SendMidiMsg(IMidiMsg* msg) override;
  bool SendSysEx(ISysEx* sysex) override;

 private:
  // Callbacks placed in the effect record.
  static intptr_t VSTDispatcher(vst2::AEffect* effect, int32_t opcode, int32_t index,
                                intptr_t value, void* ptr, float opt);
  static void VSTProcess(vst2::AEffect* effect, float** inputs, float** outputs, int32_t nFrames);
  static void VSTProcessReplacing(vst2::AEffect* effect, float** inputs, float** outputs,
                                  int32_t nFrames);
  static void VSTProcessDoubleReplacing(vst2::AEffect* effect, double** inputs, double** outputs,
                                        int32_t nFrames);
  static float VSTGetParameter(vst2::AEffect* effect, int32_t idx);
  static void VSTSetParameter(vst2::AEffect* effect, int32_t idx, float value);

  // Dispatcher opcodes with more to them than a line; each runs with the mutex held.
  intptr_t Dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);
  intptr_t DoGetChunk(bool isBank, void** data);
  intptr_t DoSetChunk(bool isBank, const void* data, intptr_t size);
  intptr_t DoProcessEvents(const vst2::VstEvents* events);
  intptr_t DoString2Parameter(int idx, const char* text);
  intptr_t DoPinProperties(bool isInput, int idx, vst2::VstPinProperties* props);
  intptr_t DoSetSpeakerArrangement(const vst2::VstSpeakerArrangement* in,
                                   const vst2::VstSpeakerArrangement* out);
  // effEditClose: OnGUIClose with the mutex, then CloseWindow without it.
  intptr_t DoEditClose();
  intptr_t DoVendorSpecific(int32_t index, intptr_t value, void* ptr, float opt);
  intptr_t DoEditorSnapshot(vst2::EditorSnapshot* snapshot);
  intptr_t DoCanDo(const char* text);
  intptr_t DoGetMidiKeyName(vst2::MidiKeyName* key);
  bool IsParamIdx(int idx) const { return idx >= 0 && idx < NParams(); }

  // Calls the host, or returns 0 when the host gave no callback.
  intptr_t HostCall(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
  // The host's time record for these request flags, or null; callers check its validity bits.
  const vst2::VstTimeInfo* QueryTime(int32_t requestFlags);
  void UpdateEditRect();
  // Runs one host processing call, in pieces no longer than the block size.
  template <typename Sample, typename Finish>
  static void ProcessFromHost(vst2::AEffect* effect, Sample** inputs, Sample** outputs, int nFrames,
                              Finish finish);
  template <typename Sample>
  std::vector<Sample*>& ChannelsAt(bool input) {
    if constexpr (std::is_same_v<Sample, float>) {
      return input ? mFloatInputsAt : mFloatOutputsAt;
    } else {
      return input ? mDoubleInputsAt : mDoubleOutputsAt;
    }
  }

  vst2::ERect mEditRect{};
  vst2::HostCallback mHostCallback;
  vst2::VstSpeakerArrangement mInputSpkrArr{};
  vst2::VstSpeakerArrangement mOutputSpkrArr{};
  bool mHostSpecificInitDone = false;
  int mHasVSTExtensions = 0;
  ByteChunk mState;
  ByteChunk mBankState;
  vst2::AEffect mAEffect{};
  // Channel pointers offset into the host's buffers while a long call is split.
  std::vector<float*> mFloatInputsAt, mFloatOutputsAt;
  std::vector<double*> mDoubleInputsAt, mDoubleOutputsAt;
};

// The entry point constructs the product through this function, which the product defines.
IPlugVST* MakePlug(IPlugInstanceInfo instanceInfo);
