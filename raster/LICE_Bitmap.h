#pragma once
// The 32-bit rasters every drawing operation works on.
//
// LICE_IBitmap is the abstract raster. LICE_MemBitmap keeps its pixels in a plain heap
// block; LICE_SysBitmap keeps them inside a platform drawing context, so native text can
// be drawn straight into the same pixels (the editor's back buffer is one). Rasters are
// used by one thread at a time; whoever creates one deletes it.

#include "LICE_Types.h"

struct LICE_DrawContext;

class LICE_IBitmap {
 public:
  virtual ~LICE_IBitmap() = default;

  // Top-left pixel of the raster (of row 0 in memory); null after a failed allocation.
  virtual LICE_pixel* getBits() = 0;
  virtual int getWidth() = 0;
  virtual int getHeight() = 0;
  // Distance between rows, in pixels.
  virtual int getRowSpan() = 0;
  // True when row 0 in memory is the bottom row of the image.
  virtual bool isFlipped() { return false; }
  // Returns whether the size changed. Pixels are not cleared.
  virtual bool resize(int w, int h) = 0;
  // The drawing context native text can be drawn into, or null.
  virtual LICE_DrawContext* getDC() { return nullptr; }
  virtual int Extended(int id, void* data) {
    (void)id;
    (void)data;
    return 0;
  }
};

class LICE_MemBitmap : public LICE_IBitmap {
 public:
  // lineAlign (a power of two, at most 16) pads each row to a multiple of that many pixels.
  explicit LICE_MemBitmap(int w = 0, int h = 0, unsigned lineAlign = 4);
  ~LICE_MemBitmap() override;
  LICE_MemBitmap(const LICE_MemBitmap&) = delete;
  LICE_MemBitmap& operator=(const LICE_MemBitmap&) = delete;

  LICE_pixel* getBits() override;
  int getWidth() override { return m_width; }
  int getHeight() override { return m_height; }
  int getRowSpan() override { return (m_width + m_linealign) & ~m_linealign; }
  // Growing reallocates with a quarter to spare; shrinking keeps the block; a size below
  // 1 × 1 frees it.
  bool resize(int w, int h) override;

 private:
  void* m_fb = nullptr;  // owned block, 63 bytes larger than m_allsize for alignment
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_allsize = 0;  // usable bytes in m_fb
  int32_t m_linealign = 0;
};

class LICE_SysBitmap : public LICE_IBitmap {
 public:
  explicit LICE_SysBitmap(int w = 0, int h = 0);
  ~LICE_SysBitmap() override;
  LICE_SysBitmap(const LICE_SysBitmap&) = delete;
  LICE_SysBitmap& operator=(const LICE_SysBitmap&) = delete;

  LICE_pixel* getBits() override { return m_bits; }
  int getWidth() override { return m_width; }
  int getHeight() override { return m_height; }
  int getRowSpan() override { return m_allocw; }
  // Keeps the context when the new size fits into the allocated one; otherwise makes a new,
  // zero-filled context with rows padded to a multiple of 4 pixels.
  bool resize(int w, int h) override;
  LICE_DrawContext* getDC() override { return m_dc; }

 private:
  int32_t m_width = 0;
  int32_t m_height = 0;
  LICE_DrawContext* m_dc = nullptr;  // owned
  LICE_pixel* m_bits = nullptr;      // the context's pixels
  int32_t m_allocw = 0;
  int32_t m_alloch = 0;
};
