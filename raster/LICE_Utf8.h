#pragma once
// Walks UTF-8 text one code point at a time. Malformed bytes (stray continuation bytes,
// overlong forms, surrogates, truncated sequences) each read as U+FFFD, so every byte is
// consumed and no input can make the walk stop early or run past its end.

#include <cstdint>

namespace lice {
class Utf8Reader {
 public:
  // len >= 0: at most len bytes; len < 0: up to the terminating zero.
  Utf8Reader(const char* text, int len)
      : mText(reinterpret_cast<const unsigned char*>(text)), mLen(text ? len : 0) {}

  // The next code point, or false at the end.
  bool Next(uint32_t& code) {
    if (!mText || AtEnd(0)) return false;
    const unsigned lead = mText[mPos];
    int extra = lead < 0x80             ? 0
                : (lead & 0xE0) == 0xC0 ? 1
                : (lead & 0xF0) == 0xE0 ? 2
                : (lead & 0xF8) == 0xF0 ? 3
                                        : -1;
    uint32_t value = extra == 0   ? lead
                     : extra == 1 ? lead & 0x1F
                     : extra == 2 ? lead & 0x0F
                                  : lead & 0x07;
    for (int i = 1; i <= extra; ++i) {
      if (AtEnd(i) || (mText[mPos + i] & 0xC0) != 0x80) {
        extra = -1;
        break;
      }
      value = value << 6 | (mText[mPos + i] & 0x3F);
    }
    static constexpr uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (extra < 0 || value < kSmallest[extra] || value > 0x10FFFF ||
        (value >= 0xD800 && value < 0xE000)) {
      code = 0xFFFD;
      ++mPos;
      return true;
    }
    code = value;
    mPos += extra + 1;
    return true;
  }

  // Bytes consumed so far.
  int Position() const { return mPos; }

 private:
  bool AtEnd(int offset) const {
    return mLen >= 0 ? mPos + offset >= mLen : mText[mPos + offset] == 0;
  }

  const unsigned char* mText;
  int mLen;
  int mPos = 0;
};
}  // namespace lice
