#include "tools/host/PresetFile.h"

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/host/HostError.h"

namespace host {

namespace {

constexpr uint32_t FourCC(const char (&code)[5]) {
  return (uint32_t{static_cast<uint8_t>(code[0])} << 24) |
         (uint32_t{static_cast<uint8_t>(code[1])} << 16) |
         (uint32_t{static_cast<uint8_t>(code[2])} << 8) | uint32_t{static_cast<uint8_t>(code[3])};
}

constexpr uint32_t kCcnK = FourCC("CcnK");
constexpr uint32_t kFxCk = FourCC("FxCk");
constexpr uint32_t kFPCh = FourCC("FPCh");
constexpr uint32_t kFxBk = FourCC("FxBk");
constexpr uint32_t kFBCh = FourCC("FBCh");
constexpr std::size_t kBankFutureBytes = 124;

class Writer {
 public:
  void u32(uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
      mOut.push_back(static_cast<uint8_t>(value >> shift));
  }
  void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
  void f32(float value) { u32(std::bit_cast<uint32_t>(value)); }
  void bytes(std::span<const uint8_t> data) { mOut.insert(mOut.end(), data.begin(), data.end()); }
  void zeros(std::size_t count) { mOut.insert(mOut.end(), count, 0); }
  void name(const std::string& text) {
    const std::size_t n = std::min(text.size(), kFxProgramNameLen);
    mOut.insert(mOut.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    zeros(kFxProgramNameLen + 1 - n);
  }
  // Fills in the byteSize field at offset 4 of the record that started at start.
  void closeRecord(std::size_t start) {
    const auto size = static_cast<uint32_t>(mOut.size() - start - 8);
    for (int i = 0; i < 4; ++i) mOut[start + 4 + i] = static_cast<uint8_t>(size >> (24 - 8 * i));
  }
  std::size_t size() const { return mOut.size(); }
  std::vector<uint8_t> take() { return std::move(mOut); }

 private:
  std::vector<uint8_t> mOut;
};

class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, const char* what) : mBytes(bytes), mWhat(what) {}

  uint32_t u32() {
    need(4);
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | mBytes[mPos + i];
    mPos += 4;
    return value;
  }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  float f32() { return std::bit_cast<float>(u32()); }
  std::span<const uint8_t> bytes(std::size_t count) {
    need(count);
    auto out = mBytes.subspan(mPos, count);
    mPos += count;
    return out;
  }
  std::string name() {
    auto raw = bytes(kFxProgramNameLen + 1);
    const auto* begin = reinterpret_cast<const char*>(raw.data());
    return std::string(begin, strnlen(begin, kFxProgramNameLen));
  }
  std::size_t left() const { return mBytes.size() - mPos; }
  [[noreturn]] void fail(const std::string& why) const {
    throw HostError(std::string("not a valid ") + mWhat + ": " + why);
  }

 private:
  void need(std::size_t count) const {
    if (left() < count) fail("it is truncated");
  }

  std::span<const uint8_t> mBytes;
  const char* mWhat;
  std::size_t mPos = 0;
};

void writeProgramRecord(Writer& w, int32_t uniqueID, int32_t version, int32_t numParams,
                        const FxProgram& program) {
  const std::size_t start = w.size();
  w.u32(kCcnK);
  w.u32(0);
  w.u32(program.isChunk ? kFPCh : kFxCk);
  w.i32(1);
  w.i32(uniqueID);
  w.i32(version);
  w.i32(program.isChunk ? numParams : static_cast<int32_t>(program.params.size()));
  w.name(program.name);
  if (program.isChunk) {
    w.u32(static_cast<uint32_t>(program.chunk.size()));
    w.bytes(program.chunk);
  } else {
    for (float value : program.params) w.f32(value);
  }
  w.closeRecord(start);
}

// Checks 'CcnK' and that byteSize covers exactly the rest of the record (the rest of the data
// for a file; for a program inside a bank, the record must fit what is left).
std::size_t readRecordStart(Reader& r, bool wholeFile) {
  if (r.u32() != kCcnK) r.fail("it does not start with 'CcnK'");
  const uint32_t byteSize = r.u32();
  if (wholeFile ? byteSize != r.left() : byteSize > r.left()) {
    r.fail("its size field says " + std::to_string(byteSize) + " bytes, " +
           std::to_string(r.left()) + " follow");
  }
  return byteSize;
}

FxProgram readProgramBody(Reader& r, uint32_t fxMagic, int32_t numParams) {
  FxProgram program;
  program.name = r.name();
  if (fxMagic == kFPCh) {
    program.isChunk = true;
    const uint32_t chunkSize = r.u32();
    auto data = r.bytes(chunkSize);
    program.chunk.assign(data.begin(), data.end());
  } else {
    if (numParams < 0 || static_cast<std::size_t>(numParams) > r.left() / 4) {
      r.fail("it announces " + std::to_string(numParams) + " parameters");
    }
    program.params.resize(static_cast<std::size_t>(numParams));
    for (float& value : program.params) value = r.f32();
  }
  return program;
}

}  // namespace

std::vector<uint8_t> encodeProgramFile(const FxProgramFile& file) {
  Writer w;
  writeProgramRecord(w, file.uniqueID, file.pluginVersion, file.numParams, file.program);
  return w.take();
}

std::vector<uint8_t> encodeBankFile(const FxBankFile& file) {
  Writer w;
  w.u32(kCcnK);
  w.u32(0);
  w.u32(file.isChunk ? kFBCh : kFxBk);
  w.i32(2);
  w.i32(file.uniqueID);
  w.i32(file.pluginVersion);
  w.i32(file.isChunk ? file.numPrograms : static_cast<int32_t>(file.programs.size()));
  w.i32(file.currentProgram);
  w.zeros(kBankFutureBytes);
  if (file.isChunk) {
    w.u32(static_cast<uint32_t>(file.chunk.size()));
    w.bytes(file.chunk);
  } else {
    for (const FxProgram& program : file.programs) {
      writeProgramRecord(w, file.uniqueID, file.pluginVersion, 0, program);
    }
  }
  w.closeRecord(0);
  return w.take();
}

FxProgramFile decodeProgramFile(std::span<const uint8_t> bytes) {
  Reader r(bytes, "program file (.fxp)");
  readRecordStart(r, true);
  const uint32_t fxMagic = r.u32();
  if (fxMagic != kFxCk && fxMagic != kFPCh) r.fail("it holds neither 'FxCk' nor 'FPCh'");
  r.i32();  // format version: 1 by every writer, nothing depends on it
  FxProgramFile file;
  file.uniqueID = r.i32();
  file.pluginVersion = r.i32();
  file.numParams = r.i32();
  file.program = readProgramBody(r, fxMagic, file.numParams);
  if (r.left() != 0) r.fail("it has bytes after the program");
  return file;
}

FxBankFile decodeBankFile(std::span<const uint8_t> bytes) {
  Reader r(bytes, "bank file (.fxb)");
  readRecordStart(r, true);
  const uint32_t fxMagic = r.u32();
  if (fxMagic != kFxBk && fxMagic != kFBCh) r.fail("it holds neither 'FxBk' nor 'FBCh'");
  const int32_t version = r.i32();
  FxBankFile file;
  file.isChunk = fxMagic == kFBCh;
  file.uniqueID = r.i32();
  file.pluginVersion = r.i32();
  file.numPrograms = r.i32();
  file.currentProgram = r.i32();
  if (version < 2) file.currentProgram = 0;  // version 1 writers leave it unset
  r.bytes(kBankFutureBytes);
  if (file.isChunk) {
    const uint32_t chunkSize = r.u32();
    auto data = r.bytes(chunkSize);
    file.chunk.assign(data.begin(), data.end());
  } else {
    // Every program record is at least its 56-byte header.
    if (file.numPrograms < 0 || static_cast<std::size_t>(file.numPrograms) > r.left() / 56) {
      r.fail("it announces " + std::to_string(file.numPrograms) + " programs");
    }
    for (int32_t i = 0; i < file.numPrograms; ++i) {
      const std::size_t recordSize = readRecordStart(r, false);
      const std::size_t leftAtStart = r.left();
      if (r.u32() != kFxCk) r.fail("program " + std::to_string(i) + " is not an 'FxCk' record");
      r.i32();
      if (r.i32() != file.uniqueID)
        r.fail("program " + std::to_string(i) + " is of another plug-in");
      r.i32();
      const int32_t numParams = r.i32();
      file.programs.push_back(readProgramBody(r, kFxCk, numParams));
      if (leftAtStart - r.left() != recordSize) {
        r.fail("program " + std::to_string(i) + " is not as long as its size field says");
      }
    }
  }
  if (r.left() != 0) r.fail("it has bytes after the bank");
  return file;
}

std::vector<uint8_t> readPresetFile(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) throw HostError("cannot read " + path);
  if (size > kMaxPresetFileSize) {
    throw HostError(path + " is " + std::to_string(size) + " bytes, more than any preset file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw HostError("cannot read " + path);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

void writePresetFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw HostError("cannot write " + path);
}

}  // namespace host
