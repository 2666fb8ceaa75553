#include "Lv2Host.h"

#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lv2test {

UridMap::UridMap() : mMap{this, Map}, mFeature{LV2_URID__map, &mMap} {}

LV2_URID UridMap::map(const char* uri) {
  for (std::size_t i = 0; i < mUris.size(); ++i) {
    if (mUris[i] == uri) return static_cast<LV2_URID>(i + 1);
  }
  mUris.emplace_back(uri);
  return static_cast<LV2_URID>(mUris.size());
}

LV2_URID UridMap::Map(LV2_URID_Map_Handle handle, const char* uri) {
  return static_cast<UridMap*>(handle)->map(uri);
}

namespace {

struct OptionsFeature {
  LV2_Options_Option options[2];
  LV2_Feature feature;
};

}  // namespace

Lv2Plugin::Lv2Plugin(double rate, std::optional<int32_t> maxBlockLength, bool withMap)
    : mControls(kNumPorts, 0.0f) {
  mLibrary = dlopen(TUNDRAX_LV2_BINARY, RTLD_NOW | RTLD_LOCAL);
  if (!mLibrary) throw std::runtime_error(dlerror());
  auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(mLibrary, "lv2_descriptor"));
  if (!entry || !(mDescriptor = entry(0))) throw std::runtime_error("no lv2_descriptor");

  OptionsFeature options{};
  std::vector<const LV2_Feature*> features;
  if (withMap) features.push_back(mUrids.feature());
  if (maxBlockLength) {
    mMaxBlock = *maxBlockLength;
    options.options[0] = {LV2_OPTIONS_INSTANCE,
                          0,
                          mUrids.map(LV2_BUF_SIZE__maxBlockLength),
                          sizeof(int32_t),
                          mUrids.map(LV2_ATOM__Int),
                          &mMaxBlock};
    options.feature = {LV2_OPTIONS__options, options.options};
    features.push_back(&options.feature);
  }
  features.push_back(nullptr);
  mHandle = mDescriptor->instantiate(mDescriptor, rate, TUNDRAX_LV2_BUNDLE, features.data());
  if (!mHandle) throw std::runtime_error("instantiate failed");
}

Lv2Plugin::~Lv2Plugin() {
  if (mHandle) mDescriptor->cleanup(mHandle);
  if (mLibrary) dlclose(mLibrary);
}

void Lv2Plugin::connectAll() {
  connect(0, inL.data());
  connect(1, inR.data());
  connect(2, outL.data());
  connect(3, outR.data());
  for (uint32_t port = kFirstParamPort; port < kNumPorts; ++port) connect(port, &mControls[port]);
}

void Lv2Plugin::process(uint32_t cycle) {
  const std::size_t total = inL.size();
  outL.assign(total, 0.0f);
  outR.assign(total, 0.0f);
  for (std::size_t done = 0; done < total; done += cycle) {
    const auto n = static_cast<uint32_t>(std::min<std::size_t>(cycle, total - done));
    connect(0, inL.data() + done);
    connect(1, inR.data() + done);
    connect(2, outL.data() + done);
    connect(3, outR.data() + done);
    run(n);
  }
}

const LV2_State_Interface* Lv2Plugin::stateInterface() const {
  return static_cast<const LV2_State_Interface*>(mDescriptor->extension_data(LV2_STATE__interface));
}

namespace {

LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                       uint32_t type, uint32_t flags) {
  auto* out = static_cast<std::vector<StoredProperty>*>(handle);
  const auto* bytes = static_cast<const uint8_t*>(value);
  out->push_back({key, std::vector<uint8_t>(bytes, bytes + size), type, flags});
  return LV2_STATE_SUCCESS;
}

const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                     uint32_t* flags) {
  const auto* properties = static_cast<const std::vector<StoredProperty>*>(handle);
  for (const StoredProperty& p : *properties) {
    if (p.key != key) continue;
    *size = p.value.size();
    *type = p.type;
    *flags = p.flags;
    return p.value.data();
  }
  return nullptr;
}

}  // namespace

LV2_State_Status Lv2Plugin::save(std::vector<StoredProperty>* out) {
  return stateInterface()->save(mHandle, Store, out, LV2_STATE_IS_POD, nullptr);
}

LV2_State_Status Lv2Plugin::restore(const std::vector<StoredProperty>& properties) {
  return stateInterface()->restore(
      mHandle, Retrieve, const_cast<std::vector<StoredProperty>*>(&properties), 0, nullptr);
}

std::vector<uint8_t> Lv2Plugin::programChunk() {
  std::vector<StoredProperty> properties;
  if (save(&properties) != LV2_STATE_SUCCESS || properties.size() != 1) return {};
  return properties[0].value;
}

uint32_t Lv2Plugin::stateKey() { return mUrids.map("urn:orvalline:tundrax#program"); }
uint32_t Lv2Plugin::chunkType() { return mUrids.map(LV2_ATOM__Chunk); }

double chunkValue(const std::vector<uint8_t>& chunk, uint32_t idx) {
  double value = 0.0;
  std::memcpy(&value, chunk.data() + 8 + 8 * idx, sizeof value);
  return value;
}

}  // namespace lv2test
