#include "tools/host/PluginInstance.h"

#include <array>

#include "tools/host/HostCallback.h"
#include "tools/host/HostError.h"

namespace host {

namespace {

constexpr std::size_t kTextBufferSize = 256;

// An empty (0), mono (1) or stereo (2) arrangement.
vst2::VstSpeakerArrangement makeArrangement(int32_t channels) {
  vst2::VstSpeakerArrangement arrangement{};
  arrangement.numChannels = channels;
  arrangement.type = channels == 0   ? vst2::kSpeakerArrEmpty
                     : channels == 1 ? vst2::kSpeakerArrMono
                                     : vst2::kSpeakerArrStereo;
  constexpr int32_t kSpeakerM = 0, kSpeakerL = 1, kSpeakerR = 2;
  for (int32_t i = 0; i < channels; ++i) {
    arrangement.speakers[i].type = channels == 1 ? kSpeakerM : (i == 0 ? kSpeakerL : kSpeakerR);
  }
  return arrangement;
}

}  // namespace

PluginInstance::PluginInstance(std::shared_ptr<PluginLibrary> library, const HostSettings& settings)
    : mLibrary(std::move(library)),
      mHost(std::make_unique<HostContext>(settings, mLibrary->directory())) {
  {
    HostContext::CreationScope creating(*mHost);
    mEffect = mLibrary->entry()(&hostCallback);
  }
  if (mEffect == nullptr) {
    throw HostError(mLibrary->path() + ": the entry point " + mLibrary->entryName() +
                    " returned no effect");
  }
  if (mEffect->magic != vst2::kEffectMagic) {
    throw HostError(mLibrary->path() + ": the effect record has a wrong magic number");
  }
  mHost->attach(*mEffect);
}

PluginInstance::~PluginInstance() { close(); }

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
  if (mClosed) throw HostError("the plug-in instance is already closed");
  return mEffect->dispatcher(mEffect, opcode, index, value, ptr, opt);
}

void PluginInstance::open() { dispatch(vst2::effOpen); }

void PluginInstance::setSampleRate(double rate) {
  mHost->setSampleRate(rate);
  dispatch(vst2::effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
}

void PluginInstance::setBlockSize(int32_t frames) {
  mHost->setBlockSize(frames);
  dispatch(vst2::effSetBlockSize, 0, frames);
}

bool PluginInstance::setProcessPrecision(Precision precision) {
  return dispatch(vst2::effSetProcessPrecision, 0, precision == Precision::Double ? 1 : 0) == 1;
}

bool PluginInstance::setSpeakerArrangement(int32_t inputs, int32_t outputs) {
  if (inputs < 0 || inputs > 2 || outputs < 0 || outputs > 2) {
    throw HostError("only mono and stereo speaker arrangements are supported");
  }
  vst2::VstSpeakerArrangement in = makeArrangement(inputs);
  vst2::VstSpeakerArrangement out = makeArrangement(outputs);
  return dispatch(vst2::effSetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&in), &out) == 1;
}

void PluginInstance::resume() { dispatch(vst2::effMainsChanged, 0, 1); }
void PluginInstance::suspend() { dispatch(vst2::effMainsChanged, 0, 0); }

void PluginInstance::startProcess() {
  mHost->setPlaying(true);
  dispatch(vst2::effStartProcess);
}

void PluginInstance::stopProcess() {
  dispatch(vst2::effStopProcess);
  mHost->setPlaying(false);
}

void PluginInstance::close() {
  if (mClosed) return;
  dispatch(vst2::effClose);
  mClosed = true;
}

void PluginInstance::processReplacing(float** inputs, float** outputs, int32_t frames) {
  mEffect->processReplacing(mEffect, inputs, outputs, frames);
}

void PluginInstance::processDoubleReplacing(double** inputs, double** outputs, int32_t frames) {
  if (!canProcessDouble()) throw HostError("the plug-in does not process double precision");
  mEffect->processDoubleReplacing(mEffect, inputs, outputs, frames);
}

void PluginInstance::processAccumulating(float** inputs, float** outputs, int32_t frames) {
  if (mEffect->process == nullptr) throw HostError("the plug-in has no accumulating process");
  mEffect->process(mEffect, inputs, outputs, frames);
}

bool PluginInstance::canProcessDouble() const {
  // Hosts decide by the flag, not by the pointer: some plug-ins set the pointer regardless.
  return (mEffect->flags & vst2::effFlagsCanDoubleReplacing) != 0 &&
         mEffect->processDoubleReplacing != nullptr;
}

float PluginInstance::getParameter(int32_t index) { return mEffect->getParameter(mEffect, index); }

void PluginInstance::setParameter(int32_t index, float value) {
  mEffect->setParameter(mEffect, index, value);
}

std::string PluginInstance::paramName(int32_t index) { return text(vst2::effGetParamName, index); }
std::string PluginInstance::paramLabel(int32_t index) {
  return text(vst2::effGetParamLabel, index);
}
std::string PluginInstance::paramDisplay(int32_t index) {
  return text(vst2::effGetParamDisplay, index);
}

bool PluginInstance::setParameterFromText(int32_t index, const std::string& text) {
  std::string copy = text;  // the interface passes a mutable char*
  return dispatch(vst2::effString2Parameter, index, 0, copy.data()) != 0;
}

bool PluginInstance::canBeAutomated(int32_t index) {
  return dispatch(vst2::effCanBeAutomated, index) == 1;
}

void PluginInstance::setProgram(int32_t program) { dispatch(vst2::effSetProgram, 0, program); }
int32_t PluginInstance::program() { return static_cast<int32_t>(dispatch(vst2::effGetProgram)); }
std::string PluginInstance::programName() { return text(vst2::effGetProgramName); }

void PluginInstance::setProgramName(const std::string& name) {
  // The interface limits program names to 23 characters and a terminator.
  std::array<char, vst2::kVstMaxProgNameLen> buffer{};
  name.copy(buffer.data(), buffer.size() - 1);
  dispatch(vst2::effSetProgramName, 0, 0, buffer.data());
}

std::optional<std::string> PluginInstance::programNameIndexed(int32_t program) {
  std::array<char, kTextBufferSize> buffer{};
  if (dispatch(vst2::effGetProgramNameIndexed, program, 0, buffer.data()) == 0) return std::nullopt;
  buffer.back() = '\0';
  return std::string(buffer.data());
}

std::vector<uint8_t> PluginInstance::getChunk(ChunkKind kind) {
  void* data = nullptr;
  intptr_t size = dispatch(vst2::effGetChunk, static_cast<int32_t>(kind), 0, &data);
  if (size <= 0 || data == nullptr) return {};
  const auto* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + size);
}

bool PluginInstance::setChunk(ChunkKind kind, std::span<const uint8_t> bytes) {
  // The interface passes a mutable pointer; the plug-in copies the bytes.
  std::vector<uint8_t> copy(bytes.begin(), bytes.end());
  return dispatch(vst2::effSetChunk, static_cast<int32_t>(kind), static_cast<intptr_t>(copy.size()),
                  copy.data()) == 1;
}

std::string PluginInstance::effectName() { return text(vst2::effGetEffectName); }
std::string PluginInstance::vendorString() { return text(vst2::effGetVendorString); }
std::string PluginInstance::productString() { return text(vst2::effGetProductString); }
intptr_t PluginInstance::vendorVersion() { return dispatch(vst2::effGetVendorVersion); }
intptr_t PluginInstance::category() { return dispatch(vst2::effGetPlugCategory); }
intptr_t PluginInstance::vstVersion() { return dispatch(vst2::effGetVstVersion); }

intptr_t PluginInstance::canDo(const std::string& capability) {
  std::string copy = capability;
  return dispatch(vst2::effCanDo, 0, 0, copy.data());
}

std::string PluginInstance::text(int32_t opcode, int32_t index) {
  std::array<char, kTextBufferSize> buffer{};
  dispatch(opcode, index, 0, buffer.data());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

}  // namespace host
