#pragma once
// The COPY rows the editor spends most of its drawing time in, four pixels at a time
// (SSE2 on x86-64, pixel by pixel elsewhere). Both give bit for bit what the COPY operators
// of LICE_PixelOps.h give.

#include "LICE_Types.h"

namespace lice {
// n pixels of d set to the colour.
void FillRow(LICE_pixel* d, LICE_pixel color, int n);
// n pixels of d blended toward one colour at weight w (0..256), all four bytes.
void CopyColorRow(LICE_pixel* d, LICE_pixel color, int n, int w);
// n source pixels combined into d with COPY and source alpha at weight w (1..256).
void CopySourceAlphaRow(LICE_pixel* d, const LICE_pixel* s, int n, int w);
}  // namespace lice
