// The compressor knob: a dark track from −135° to +135° with the value arc lit along it, and
// a round cap lit from above whose pointer follows the value. 101 frames of 75 × 75.
#include "Artwork.h"
#include "Palette.h"
#include "Strip.h"
#include "product/TundraxLayout.h"

#include <numbers>

namespace artgen {
namespace layout = tundrax::layout;

std::unique_ptr<LICE_MemBitmap> DrawCompressorKnob(LICE_IBitmap* background) {
  constexpr double kStart = -135 * std::numbers::pi / 180;
  constexpr double kSweep = 270 * std::numbers::pi / 180;
  const layout::Resource* info = layout::FindResource(layout::kCompressorKnob);
  return MakeStrip(background, layout::kCompressorKnob, [&](LICE_IBitmap* f, int frame) {
    const double value = double(frame) / (info->frames - 1);
    const double angle = kStart + kSweep * value;
    const double c = layout::kKnobFrameSize / 2.0;

    StrokeArc(f, c, c, 31, 4.5, kStart, kStart + kSweep, palette::kKnobTrack);
    if (frame > 0) {
      StrokeArc(f, c, c, 31, 6.5, kStart, angle, palette::kIce, 0.18);  // glow
      StrokeArc(f, c, c, 31, 3.5, kStart, angle, palette::kIce);
    }
    // Cap: shadow, rim, face lit from above, an inner dish.
    DrawKnobBody(f, c, c, 23, 2.5, 0.5);
    Paint(
        f, {c - 18, c - 18, c + 18, c + 18},
        [&](double x, double y) { return CircleDistance(x, y, c, c, 17); },
        [&](double, double y) {
          return Mix(Rgb(58, 62, 71), Rgb(80, 86, 97), (y - (c - 17)) / 34);
        });
    const double sx = std::sin(angle), sy = -std::cos(angle);
    StrokeLine(f, c + 7 * sx, c + 7 * sy, c + 19 * sx, c + 19 * sy, 3.2, Rgb(240, 244, 248));
  });
}

}  // namespace artgen
