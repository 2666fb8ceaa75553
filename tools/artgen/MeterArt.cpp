// The meters: a trough of 48 segments, one per dB, lit from the empty end. The output meter
// fills left to right from −48 dB, green, then amber from −12 dB and red from −3 dB; the
// gain-reduction meter fills right to left, one segment per dB of reduction, in blue.
#include "Artwork.h"
#include "Geometry.h"
#include "Palette.h"
#include "Strip.h"
#include "product/TundraxLayout.h"

#include <cmath>
#include <functional>

namespace artgen {
namespace layout = tundrax::layout;
namespace {
// Colour of the segment `db` dB from the empty end.
using SegmentColour = std::function<LICE_pixel(double db)>;

std::unique_ptr<LICE_MemBitmap> DrawMeter(LICE_IBitmap* background, int resource, bool fromRight,
                                          const SegmentColour& colour) {
  const int frames = layout::FindResource(resource)->frames;
  return MakeStrip(background, resource, [&](LICE_IBitmap* f, int frame) {
    // Frame k lights (k − 1) / (N − 1) of the length, in whole pixels.
    const int lit =
        int(std::lround(double(frame) * kMeterRangeDb * kMeterPixelsPerDb / (frames - 1)));
    const int top = kMeterBezel, height = kMeterHeight - 2 * kMeterBezel;
    for (int i = 0; i < kMeterRangeDb * kMeterPixelsPerDb; ++i) {
      if (i % kMeterPixelsPerDb == kMeterPixelsPerDb - 1) continue;  // gap between segments
      const int x =
          fromRight ? kMeterBezel + kMeterRangeDb * kMeterPixelsPerDb - 1 - i : kMeterBezel + i;
      const LICE_pixel c = colour(double(i / kMeterPixelsPerDb));
      if (i < lit) {
        LICE_FillRect(f, x, top, 1, height, c, 1.0f, 0);
        LICE_FillRect(f, x, top, 1, 1, Shade(c, 1.35), 1.0f, 0);
        LICE_FillRect(f, x, top + height - 1, 1, 1, Shade(c, 0.75), 1.0f, 0);
      } else {
        LICE_FillRect(f, x, top, 1, height, c, 0.13f, 0);
      }
    }
  });
}
}  // namespace

std::unique_ptr<LICE_MemBitmap> DrawOutputMeter(LICE_IBitmap* background) {
  return DrawMeter(background, layout::kMeterOutput, false, [](double fromBottom) {
    const double db = fromBottom - kMeterRangeDb;  // the segment's lower edge
    if (db >= -3) return palette::kMeterRed;
    if (db >= -12) return Mix(palette::kMeterAmber, Rgb(255, 140, 50), (db + 12) / 9);
    return Mix(Shade(palette::kMeterGreen, 0.85), palette::kMeterGreen, (db + 48) / 36);
  });
}

std::unique_ptr<LICE_MemBitmap> DrawGainReductionMeter(LICE_IBitmap* background) {
  return DrawMeter(background, layout::kMeterGainReduction, true, [](double reduction) {
    return Mix(palette::kMeterReduction, palette::kMeterReductionDeep, reduction / kMeterRangeDb);
  });
}

}  // namespace artgen
