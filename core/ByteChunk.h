// A growable byte buffer with typed put and get in the machine's native (little-endian) order:
// parameter state, presets and the chunks exchanged with the host.
//
// Reads never run past the end: every Get checks bounds and reports -1 without touching its
// output. Puts return the new size.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

class ByteChunk {
 public:
  template <typename T>
  int Put(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    return PutBytes(&value, sizeof(T));
  }
  int PutBytes(const void* data, int n);
  // int32 length (no terminator counted), then the bytes without terminator.
  int PutStr(const char* text);
  int PutChunk(const ByteChunk& other) { return PutBytes(other.GetBytes(), other.Size()); }

  // Returns the next position, or -1 (output unchanged) when start is negative or the value does
  // not fit before the end.
  template <typename T>
  int Get(T* value, int start) const {
    static_assert(std::is_trivially_copyable_v<T>);
    return GetBytes(value, static_cast<int>(sizeof(T)), start);
  }
  int GetBytes(void* out, int n, int start) const;
  // Reads an int32 length L and L bytes; the text is cut at the first zero byte.
  int GetStr(std::string* text, int start) const;

  void Clear() { mBytes.clear(); }
  // Newly grown bytes are zero.
  void Resize(int size) { mBytes.resize(size > 0 ? static_cast<size_t>(size) : 0); }
  int Size() const { return static_cast<int>(mBytes.size()); }
  uint8_t* GetBytes() { return mBytes.data(); }
  const uint8_t* GetBytes() const { return mBytes.data(); }

  bool operator==(const ByteChunk& other) const { return mBytes == other.mBytes; }

 private:
  std::vector<uint8_t> mBytes;
};
