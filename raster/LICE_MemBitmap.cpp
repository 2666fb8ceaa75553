#include "LICE_Bitmap.h"

#include <cstdint>
#include <cstdlib>

LICE_MemBitmap::LICE_MemBitmap(int w, int h, unsigned lineAlign) {
  if (lineAlign >= 2) {
    const unsigned lowest = lineAlign & (0u - lineAlign);
    m_linealign = static_cast<int32_t>(lowest > 16 ? 16 : lowest) - 1;
  }
  if (w > 0 && h > 0) resize(w, h);
}

LICE_MemBitmap::~LICE_MemBitmap() { free(m_fb); }

LICE_pixel* LICE_MemBitmap::getBits() {
  if (!m_fb) return nullptr;
  const uintptr_t p = reinterpret_cast<uintptr_t>(m_fb);
  return reinterpret_cast<LICE_pixel*>((p + 63) & ~uintptr_t(63));
}

bool LICE_MemBitmap::resize(int w, int h) {
  if (w == m_width && h == m_height) return false;
  m_width = w;
  m_height = h;
  if (w < 1 || h < 1) {
    free(m_fb);
    m_fb = nullptr;
    m_width = m_height = m_allsize = 0;
    return true;
  }

  // The size is computed in 64 bits: a block of 2 GiB or more is refused rather than
  // wrapped around to a small one.
  const int64_t needed = int64_t(h) * ((int64_t(w) + m_linealign) & ~int64_t(m_linealign)) * 4;
  if (needed > INT32_MAX - 64 - needed / 4) {
    free(m_fb);
    m_fb = nullptr;
    m_width = m_height = m_allsize = 0;
    return true;
  }
  const int32_t n = static_cast<int32_t>(needed);
  if (m_fb && n <= m_allsize) return true;

  void* block = nullptr;
  if (m_fb) {
    m_allsize = n + n / 4;
    block = realloc(m_fb, size_t(m_allsize) + 63);
    if (!block) free(m_fb);
  }
  if (!block) {
    m_allsize = n;
    block = malloc(size_t(n) + 63);
  }
  m_fb = block;
  if (!m_fb) m_width = m_height = m_allsize = 0;
  return true;
}
