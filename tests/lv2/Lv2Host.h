// A minimal LV2 host for the tests: loads Tundrax.lv2/Tundrax.so through lv2_descriptor as a
// host does, maps URIs, instantiates with chosen features, keeps a value for every control port
// and drives the state interface with a store of its own.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv2test {

// The port layout of the product: two audio inputs and outputs, 17 parameters, two meters.
constexpr uint32_t kFirstParamPort = 4;
constexpr uint32_t kNumParams = 17;
constexpr uint32_t kGainReductionPort = kFirstParamPort + kNumParams;
constexpr uint32_t kOutputLevelPort = kGainReductionPort + 1;
constexpr uint32_t kNumPorts = kOutputLevelPort + 1;

class UridMap {
 public:
  UridMap();
  LV2_URID map(const char* uri);
  LV2_Feature* feature() { return &mFeature; }

 private:
  static LV2_URID Map(LV2_URID_Map_Handle handle, const char* uri);
  std::vector<std::string> mUris;
  LV2_URID_Map mMap;
  LV2_Feature mFeature;
};

struct StoredProperty {
  uint32_t key = 0;
  std::vector<uint8_t> value;
  uint32_t type = 0;
  uint32_t flags = 0;
};

class Lv2Plugin {
 public:
  // maxBlockLength: announced through the options feature when set. withMap: whether the URI
  // map is offered at all.
  explicit Lv2Plugin(double rate = 48000.0, std::optional<int32_t> maxBlockLength = std::nullopt,
                     bool withMap = true);
  ~Lv2Plugin();
  Lv2Plugin(const Lv2Plugin&) = delete;
  Lv2Plugin& operator=(const Lv2Plugin&) = delete;

  const LV2_Descriptor* descriptor() const { return mDescriptor; }
  LV2_Handle handle() const { return mHandle; }
  UridMap& urids() { return mUrids; }

  // Connects both audio channels to the buffers below and every control port to its value.
  void connectAll();
  void connect(uint32_t port, void* data) { mDescriptor->connect_port(mHandle, port, data); }
  void activate() { mDescriptor->activate(mHandle); }
  void deactivate() { mDescriptor->deactivate(mHandle); }
  void run(uint32_t frames) { mDescriptor->run(mHandle, frames); }
  // Runs the whole input (inL, inR) through the plug-in in cycles of at most `cycle` frames.
  void process(uint32_t cycle);

  float& control(uint32_t port) { return mControls[port]; }
  float& param(uint32_t idx) { return mControls[kFirstParamPort + idx]; }

  const LV2_State_Interface* stateInterface() const;
  LV2_State_Status save(std::vector<StoredProperty>* out);
  LV2_State_Status restore(const std::vector<StoredProperty>& properties);
  // The stored program chunk (saved now), empty when saving failed.
  std::vector<uint8_t> programChunk();
  uint32_t stateKey();
  uint32_t chunkType();

  std::vector<float> inL, inR, outL, outR;

 private:
  void* mLibrary = nullptr;
  const LV2_Descriptor* mDescriptor = nullptr;
  LV2_Handle mHandle = nullptr;
  UridMap mUrids;
  std::vector<float> mControls;
  int32_t mMaxBlock = 0;
};

// The real value parameter idx holds in a program chunk (after the 8-byte header).
double chunkValue(const std::vector<uint8_t>& chunk, uint32_t idx);

}  // namespace lv2test
