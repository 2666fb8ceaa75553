#include "LICE_CopyRows.h"

#include "LICE_PixelOps.h"
#include "LICE_WordBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lice {
#if defined(__SSE2__)
namespace {
// s + ((d − s) · keep) / 256 per byte, truncating toward zero, done as s + rise − fall with
// the unsigned differences scaled separately. keepLow and keepHigh hold the 16-bit factor
// for each byte of pixels 0-1 and 2-3 (at most 256, so 255 · keep fits 16 bits).
__m128i BlendBytes(__m128i s, __m128i d, __m128i keepLow, __m128i keepHigh) {
  const __m128i zero = _mm_setzero_si128();
  auto scale = [&](__m128i v) {
    const __m128i lo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(v, zero), keepLow), 8);
    const __m128i hi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(v, zero), keepHigh), 8);
    return _mm_packus_epi16(lo, hi);
  };
  return _mm_sub_epi8(_mm_add_epi8(s, scale(_mm_subs_epu8(d, s))), scale(_mm_subs_epu8(s, d)));
}

__m128i Load(const LICE_pixel* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

void Store(LICE_pixel* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
}  // namespace

void FillRow(LICE_pixel* d, LICE_pixel color, int n) {
  const __m128i c = _mm_set1_epi32(int(color));
  int i = 0;
  for (; i + 4 <= n; i += 4) Store(d + i, c);
  for (; i < n; ++i) d[i] = color;
}

void CopyColorRow(LICE_pixel* d, LICE_pixel color, int n, int w) {
  const __m128i c = _mm_set1_epi32(int(color)), keep = _mm_set1_epi16(short(256 - w));
  int i = 0;
  for (; i + 4 <= n; i += 4) Store(d + i, BlendBytes(c, Load(d + i), keep, keep));
  for (; i < n; ++i) d[i] = CopyBlendWord(color, d[i], w);
}

void CopySourceAlphaRow(LICE_pixel* d, const LICE_pixel* s, int n, int w) {
  const __m128i alphaByte = _mm_set1_epi32(0xFF), zero = _mm_setzero_si128();
  const __m128i weight = _mm_set1_epi32(w), one = _mm_set1_epi32(1), top = _mm_set1_epi32(256);
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i src = Load(s + i);
    const __m128i sA = _mm_and_si128(src, alphaByte);
    // Four opaque pixels at full weight are the source itself (opaque strips: meters,
    // selectors, backgrounds).
    if (w == 256 && _mm_movemask_epi8(_mm_cmpeq_epi32(sA, alphaByte)) == 0xFFFF) {
      Store(d + i, src);
      continue;
    }
    const __m128i dst = Load(d + i);
    // Full weight: keep 255 − sA and add sA; otherwise a = ((sA + 1) · w) / 256, keep
    // 256 − a, add a. (sA + 1) · w stays below 65536, so a 16-bit multiply suffices.
    __m128i add = sA, keep = _mm_sub_epi32(alphaByte, sA);
    if (w < 256) {
      add = _mm_srli_epi32(_mm_mullo_epi16(_mm_add_epi32(sA, one), weight), 8);
      keep = _mm_sub_epi32(top, add);
    }
    const __m128i keep2 = _mm_or_si128(keep, _mm_slli_epi32(keep, 16));
    const __m128i rgb =
        BlendBytes(src, dst, _mm_unpacklo_epi32(keep2, keep2), _mm_unpackhi_epi32(keep2, keep2));
    const __m128i alpha = _mm_adds_epu8(dst, add);  // min(255, dA + add); add has one byte
    const __m128i out =
        _mm_or_si128(_mm_andnot_si128(alphaByte, rgb), _mm_and_si128(alphaByte, alpha));
    const __m128i clear = _mm_cmpeq_epi32(sA, zero);  // source alpha 0 keeps the destination
    Store(d + i, _mm_or_si128(_mm_and_si128(clear, dst), _mm_andnot_si128(clear, out)));
  }
  for (; i < n; ++i) CopyAlphaOp{}(PixelBytes(d + i), s[i], w);
}
#else
void FillRow(LICE_pixel* d, LICE_pixel color, int n) {
  for (int i = 0; i < n; ++i) d[i] = color;
}

void CopyColorRow(LICE_pixel* d, LICE_pixel color, int n, int w) {
  for (int i = 0; i < n; ++i) d[i] = CopyBlendWord(color, d[i], w);
}

void CopySourceAlphaRow(LICE_pixel* d, const LICE_pixel* s, int n, int w) {
  for (int i = 0; i < n; ++i) CopyAlphaOp{}(PixelBytes(d + i), s[i], w);
}
#endif
}  // namespace lice
