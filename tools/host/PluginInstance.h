// One live instance of a VST2 plug-in, driven the way a host drives it. Construction calls the
// library's entry point with the host callback and checks the record; the destructor closes
// the instance (effClose) if that has not happened yet. The instance keeps its library loaded.
//
// The named helpers wrap one dispatcher opcode each and keep the host's side consistent
// (setSampleRate and setBlockSize also change what the host callback reports). Text queries
// pass a 256-byte zeroed buffer, far more than the interface promises, since many plug-ins
// write more; the text is read up to its terminator inside that buffer.
//
// Threads: like a real host, a test may call process on one thread while others set
// parameters or call the dispatcher; the instance adds no locking of its own (the plug-in
// must cope), except in the host context's event log.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/host/HostContext.h"
#include "tools/host/PluginLibrary.h"
#include "vst2/VstAbi.h"

namespace host {

enum class ChunkKind : int32_t { Bank = 0, Program = 1 };
enum class Precision { Single, Double };

class PluginInstance {
 public:
  // Throws HostError when the entry point returns null or a record without the magic number.
  explicit PluginInstance(std::shared_ptr<PluginLibrary> library,
                          const HostSettings& settings = HostSettings{});
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  vst2::AEffect& effect() { return *mEffect; }
  const vst2::AEffect& effect() const { return *mEffect; }
  HostContext& host() { return *mHost; }
  const PluginLibrary& library() const { return *mLibrary; }

  // The raw dispatcher call; nothing may be called after effClose.
  intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                    float opt = 0.0f);

  // Lifecycle, in the order a host uses them.
  void open();
  void setSampleRate(double rate);
  void setBlockSize(int32_t frames);
  bool setProcessPrecision(Precision precision);
  // Connects `inputs` input and `outputs` output channels (mono or stereo arrangements);
  // true when the plug-in accepts.
  bool setSpeakerArrangement(int32_t inputs, int32_t outputs);
  void resume();   // effMainsChanged 1
  void suspend();  // effMainsChanged 0
  void startProcess();
  void stopProcess();
  void close();

  // Audio. Pointer arrays hold numInputs / numOutputs channel pointers.
  void processReplacing(float** inputs, float** outputs, int32_t frames);
  void processDoubleReplacing(double** inputs, double** outputs, int32_t frames);
  // The deprecated accumulating call; throws HostError if the plug-in has none.
  void processAccumulating(float** inputs, float** outputs, int32_t frames);
  bool canProcessDouble() const;

  // Parameters.
  int32_t numParams() const { return mEffect->numParams; }
  float getParameter(int32_t index);
  void setParameter(int32_t index, float value);
  std::string paramName(int32_t index);
  std::string paramLabel(int32_t index);
  std::string paramDisplay(int32_t index);
  // effString2Parameter; true when the plug-in converted the text.
  bool setParameterFromText(int32_t index, const std::string& text);
  bool canBeAutomated(int32_t index);

  // Programs.
  int32_t numPrograms() const { return mEffect->numPrograms; }
  void setProgram(int32_t program);
  int32_t program();
  std::string programName();
  void setProgramName(const std::string& name);
  // The name of any program without selecting it; nullopt when the plug-in says it has none.
  std::optional<std::string> programNameIndexed(int32_t program);

  // State chunks: the bytes are copied out of / into the plug-in.
  std::vector<uint8_t> getChunk(ChunkKind kind);
  bool setChunk(ChunkKind kind, std::span<const uint8_t> bytes);

  // Identity.
  std::string effectName();
  std::string vendorString();
  std::string productString();
  intptr_t vendorVersion();
  intptr_t category();
  intptr_t vstVersion();
  // 1 yes, -1 no, 0 don't know (and the low 32 bits of 0xBEEF0000 for host extensions).
  intptr_t canDo(const std::string& capability);

 private:
  std::string text(int32_t opcode, int32_t index = 0);

  std::shared_ptr<PluginLibrary> mLibrary;
  std::unique_ptr<HostContext> mHost;
  vst2::AEffect* mEffect = nullptr;
  bool mClosed = false;
};

}  // namespace host
