#include "LICE_Bitmap.h"
#include "LICE_Platform.h"

LICE_SysBitmap::LICE_SysBitmap(int w, int h) { resize(w, h); }

LICE_SysBitmap::~LICE_SysBitmap() { LICE_DestroyDrawContext(m_dc); }

bool LICE_SysBitmap::resize(int w, int h) {
  if (w == m_width && h == m_height) return false;
  m_width = w;
  m_height = h;
  if (w > 0 && h > 0 && m_dc && w <= m_allocw && h <= m_alloch) return true;

  m_allocw = w > 0 ? (w + 3) & ~3 : 0;
  m_alloch = h > 0 ? h : 0;
  LICE_DestroyDrawContext(m_dc);
  m_dc = nullptr;
  m_bits = nullptr;
  if (m_allocw <= 0 || m_alloch <= 0) {
    m_width = m_height = m_allocw = m_alloch = 0;
    return false;
  }

  m_dc = LICE_CreateDrawContext(m_allocw, m_alloch);
  if (m_dc) m_bits = LICE_DrawContextBits(m_dc);
  if (!m_bits) m_width = m_height = m_allocw = m_alloch = 0;
  return true;
}
