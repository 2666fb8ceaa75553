// The frequency and gain selectors: a three-position rotary switch in the clickable left 61
// pixels, and beside it the three step values with the chosen one lit.
#include "Artwork.h"
#include "Palette.h"
#include "Strip.h"
#include "Text.h"

#include <numbers>
#include <string>

namespace artgen {
namespace {
constexpr double kClickWidth = 61;
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kStepAngles[3] = {-55 * kDegree, 0, 55 * kDegree};

void DrawRotary(LICE_IBitmap* f, int step, LICE_pixel accent) {
  const double cx = kClickWidth / 2, cy = f->getHeight() / 2.0 + 2;
  for (int i = 0; i < 3; ++i) {
    const double a = kStepAngles[i];
    const double x = cx + 23 * std::sin(a), y = cy - 23 * std::cos(a);
    if (i == step)
      DrawLamp(f, x, y, 2.2, accent, true);
    else
      FillCircle(f, x, y, 1.6, palette::kTextFaint);
  }
  // Body: shadow, rim, face lit from above.
  DrawKnobBody(f, cx, cy, 18, 2, 0.45);
  FillCircle(f, cx, cy, 12.5, Rgb(0, 0, 0), 0.18);
  Paint(
      f, {cx - 13, cy - 13, cx + 13, cy + 13},
      [&](double x, double y) { return CircleDistance(x, y, cx, cy, 12); },
      [&](double, double y) {
        return Mix(Rgb(76, 81, 92), Rgb(50, 54, 62), (y - (cy - 12)) / 24);
      });
  const double a = kStepAngles[step];
  StrokeLine(f, cx + 6 * std::sin(a), cy - 6 * std::cos(a), cx + 15 * std::sin(a),
             cy - 15 * std::cos(a), 3, accent);
}

void DrawSteps(LICE_IBitmap* f, const std::string (&values)[3], int step, LICE_pixel accent) {
  const double left = kClickWidth + 2, right = f->getWidth() - 4.0;
  const double rowHeight = (f->getHeight() - 8) / 3.0;
  for (int i = 0; i < 3; ++i) {
    const double top = 4 + i * rowHeight;
    if (i == step) {
      FillRoundRect(f, {left, top + 1, right, top + rowHeight - 1}, 3, accent, 0.16);
      FillRoundRect(f, {left, top + 3, left + 2.5, top + rowHeight - 3}, 1.2, accent);
    }
    const TextStyle style{11, i == step, i == step ? palette::kText : palette::kTextFaint};
    DrawText(f, values[i], style, right - 5, int(top + rowHeight / 2 - 5.5), Align::kRight);
  }
}

std::unique_ptr<LICE_MemBitmap> DrawSelector(LICE_IBitmap* background, int resource,
                                             const std::string (&values)[3], LICE_pixel accent) {
  return MakeStrip(background, resource, [&](LICE_IBitmap* f, int step) {
    DrawRotary(f, step, accent);
    DrawSteps(f, values, step, accent);
  });
}
}  // namespace

std::unique_ptr<LICE_MemBitmap> DrawFrequencySelector(LICE_IBitmap* background, const Band& band) {
  const std::string values[3] = {FrequencyText(band.frequencies[0]),
                                 FrequencyText(band.frequencies[1]),
                                 FrequencyText(band.frequencies[2])};
  return DrawSelector(background, band.freqResource, values, band.accent);
}

std::unique_ptr<LICE_MemBitmap> DrawGainSelector(LICE_IBitmap* background, const Band& band) {
  const std::string values[3] = {GainText(band.gains[0]), GainText(band.gains[1]),
                                 GainText(band.gains[2])};
  return DrawSelector(background, band.gainResource, values, band.accent);
}

}  // namespace artgen
