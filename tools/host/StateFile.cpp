#include "tools/host/StateFile.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "tools/host/HostError.h"

namespace host {

namespace {

constexpr char kMagic[4] = {'T', 'X', 's', 't'};
constexpr uint32_t kFormatVersion = 1;

void putU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void putBytes(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
  putU32(out, static_cast<uint32_t>(bytes.size()));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

// Reads the format front to back; every read checks there is enough left.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : mBytes(bytes) {}

  uint32_t u32() {
    need(4);
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(mBytes[mPos + i]) << (8 * i);
    mPos += 4;
    return value;
  }
  std::vector<uint8_t> bytes() {
    uint32_t size = u32();
    need(size);
    std::vector<uint8_t> out(mBytes.begin() + mPos, mBytes.begin() + mPos + size);
    mPos += size;
    return out;
  }
  bool atEnd() const { return mPos == mBytes.size(); }

 private:
  void need(std::size_t count) const {
    if (mBytes.size() - mPos < count) throw HostError("the state file is truncated");
  }

  std::span<const uint8_t> mBytes;
  std::size_t mPos = 0;
};

}  // namespace

std::vector<uint8_t> encodeState(const SavedState& state) {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  putU32(out, kFormatVersion);
  putU32(out, static_cast<uint32_t>(state.uniqueID));
  putU32(out, static_cast<uint32_t>(state.pluginVersion));
  putU32(out, static_cast<uint32_t>(state.currentProgram));
  putBytes(out, state.bank);
  putBytes(out, state.program);
  return out;
}

SavedState decodeState(std::span<const uint8_t> bytes) {
  if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    throw HostError("not a tundrax-host state file");
  }
  Reader reader(bytes.subspan(sizeof kMagic));
  uint32_t version = reader.u32();
  if (version != kFormatVersion) {
    throw HostError("state file format " + std::to_string(version) + " is not supported");
  }
  SavedState state;
  state.uniqueID = static_cast<int32_t>(reader.u32());
  state.pluginVersion = static_cast<int32_t>(reader.u32());
  state.currentProgram = static_cast<int32_t>(reader.u32());
  state.bank = reader.bytes();
  state.program = reader.bytes();
  if (!reader.atEnd()) throw HostError("the state file has trailing bytes");
  return state;
}

void writeStateFile(const std::string& path, const SavedState& state) {
  std::vector<uint8_t> bytes = encodeState(state);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw HostError("cannot write " + path);
}

SavedState readStateFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw HostError("cannot read " + path);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  return decodeState(bytes);
}

}  // namespace host
