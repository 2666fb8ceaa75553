#pragma once
// The pieces of artwork, one function per kind. Each control's strip is drawn over the
// background it will sit on, so DrawBackground comes first.

#include "Bands.h"
#include "Canvas.h"

namespace artgen {

std::unique_ptr<LICE_MemBitmap> DrawBackground();
// Two frames: band active, band bypassed.
std::unique_ptr<LICE_MemBitmap> DrawBypassSwitch(LICE_IBitmap* background, const Band& band);
// Three frames, one per step: the frequency or the gain selector of a band.
std::unique_ptr<LICE_MemBitmap> DrawFrequencySelector(LICE_IBitmap* background, const Band& band);
std::unique_ptr<LICE_MemBitmap> DrawGainSelector(LICE_IBitmap* background, const Band& band);
// Three frames, quality 1, 2, 4; the icon under it, one frame.
std::unique_ptr<LICE_MemBitmap> DrawQualitySwitch(LICE_IBitmap* background);
std::unique_ptr<LICE_MemBitmap> DrawQualityIcon(LICE_IBitmap* background);
// 101 frames, the pointer from −135° to +135°.
std::unique_ptr<LICE_MemBitmap> DrawCompressorKnob(LICE_IBitmap* background);
// 101 frames, empty to full.
std::unique_ptr<LICE_MemBitmap> DrawGainReductionMeter(LICE_IBitmap* background);
std::unique_ptr<LICE_MemBitmap> DrawOutputMeter(LICE_IBitmap* background);

}  // namespace artgen
