#include "ByteChunk.h"

#include <cstring>

int ByteChunk::PutBytes(const void* data, int n) {
  if (n > 0) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    mBytes.insert(mBytes.end(), bytes, bytes + n);
  }
  return Size();
}

int ByteChunk::PutStr(const char* text) {
  const int32_t len = text ? static_cast<int32_t>(strlen(text)) : 0;
  Put(len);
  return PutBytes(text, len);
}

int ByteChunk::GetBytes(void* out, int n, int start) const {
  if (start < 0 || n < 0 || n > Size() - start) return -1;
  if (n > 0) memcpy(out, mBytes.data() + start, static_cast<size_t>(n));
  return start + n;
}

int ByteChunk::GetStr(std::string* text, int start) const {
  int32_t len = 0;
  const int pos = Get(&len, start);
  if (pos < 0 || len < 0 || len > Size() - pos) return -1;
  const char* bytes = reinterpret_cast<const char*>(mBytes.data() + pos);
  text->assign(bytes, strnlen(bytes, static_cast<size_t>(len)));
  return pos + len;
}
