// The standard VST2 program (.fxp) and bank (.fxb) files: big-endian, 'CcnK' first, then either
// the parameter form ('FxCk' program, 'FxBk' bank of whole 'FxCk' programs: normalised values
// as floats) or the chunk form ('FPCh', 'FBCh': the plug-in's own chunk). A plug-in that
// announces chunks (effFlagsProgramChunks) is saved in the chunk form, any other one in the
// parameter form.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace host {

// Files larger than this are refused before they are read.
constexpr std::size_t kMaxPresetFileSize = 16u << 20;
// Program names hold at most this many characters in a file.
constexpr std::size_t kFxProgramNameLen = 27;

struct FxProgram {
  std::string name;
  bool isChunk = false;
  std::vector<float> params;   // parameter form
  std::vector<uint8_t> chunk;  // chunk form

  bool operator==(const FxProgram&) const = default;
};

struct FxProgramFile {
  int32_t uniqueID = 0;
  int32_t pluginVersion = 0;
  int32_t numParams = 0;  // what the header says; equals params.size() in the parameter form
  FxProgram program;

  bool operator==(const FxProgramFile&) const = default;
};

struct FxBankFile {
  int32_t uniqueID = 0;
  int32_t pluginVersion = 0;
  int32_t numPrograms = 0;  // equals programs.size() in the parameter form
  int32_t currentProgram = 0;
  bool isChunk = false;
  std::vector<FxProgram> programs;  // parameter form
  std::vector<uint8_t> chunk;       // chunk form

  bool operator==(const FxBankFile&) const = default;
};

std::vector<uint8_t> encodeProgramFile(const FxProgramFile& file);
std::vector<uint8_t> encodeBankFile(const FxBankFile& file);
// Throw HostError for anything that is not one complete file of its kind: wrong magic, a
// size field that disagrees with the data, a truncated or trailing part.
FxProgramFile decodeProgramFile(std::span<const uint8_t> bytes);
FxBankFile decodeBankFile(std::span<const uint8_t> bytes);

// Reads a whole file, refusing one larger than kMaxPresetFileSize.
std::vector<uint8_t> readPresetFile(const std::string& path);
void writePresetFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace host
