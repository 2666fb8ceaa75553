#pragma once
// The picture at the top of each band's column: where on the spectrum the band works, as the
// bells of its three frequency steps at full gain, in the band's colour. The picture does not
// follow the settings.

#include "Bands.h"
#include "Canvas.h"

namespace artgen {

void DrawBandChart(LICE_IBitmap* bm, const Box& box, const Band& band);

}  // namespace artgen
