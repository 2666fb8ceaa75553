#include "Base64.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DecodeDigit(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

}  // namespace

std::string Base64Encode(const unsigned char* data, int size) {
  std::string out;
  int i = 0;
  for (; i + 2 < size; i += 3) {
    const unsigned v = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(v >> shift) & 63];
  }
  const int rest = size - i;
  if (rest > 0) {
    const unsigned v = (data[i] << 16) | (rest == 2 ? data[i + 1] << 8 : 0);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::vector<unsigned char> Base64Decode(const char* text, int size) {
  std::vector<unsigned char> out(size > 0 ? static_cast<size_t>(size) : 0, 0);
  unsigned accumulator = 0;
  int pendingBits = 0;
  size_t written = 0;
  for (const char* p = text; p && written < out.size(); ++p) {
    const int digit = DecodeDigit(*p);
    if (digit < 0) break;
    accumulator = ((accumulator << 6) | static_cast<unsigned>(digit)) & 0xFFFFFF;
    pendingBits += 6;
    if (pendingBits >= 8) {
      pendingBits -= 8;
      out[written++] = static_cast<unsigned char>(accumulator >> pendingBits);
    }
  }
  return out;
}
