// The host's own file for a plug-in's saved state: the bank chunk and the current program's
// chunk as the plug-in handed them out, tagged with the plug-in's unique ID and version and the
// program that was current. Layout, all integers little-endian:
//
//   "TXst"  u32 format version (1)
//   i32 unique ID  i32 plug-in version  i32 current program
//   u32 bank size, bank bytes
//   u32 program size, program bytes
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace host {

struct SavedState {
  int32_t uniqueID = 0;
  int32_t pluginVersion = 0;
  int32_t currentProgram = 0;
  std::vector<uint8_t> bank;
  std::vector<uint8_t> program;

  bool operator==(const SavedState&) const = default;
};

std::vector<uint8_t> encodeState(const SavedState& state);
// Throws HostError for anything that is not a complete state of the format above.
SavedState decodeState(std::span<const uint8_t> bytes);

void writeStateFile(const std::string& path, const SavedState& state);
SavedState readStateFile(const std::string& path);

}  // namespace host
