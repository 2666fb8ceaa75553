// The panel: backdrop and header, the equaliser panel with its three band columns, the
// compressor panel with the knobs' labels and the meters' scales, and under every control
// its place (a recess or well) exactly where the layout puts it.
#include "Artwork.h"
#include "BandChart.h"
#include "Geometry.h"
#include "Palette.h"
#include "Text.h"

#include <string>

namespace artgen {
namespace layout = tundrax::layout;
namespace {
constexpr Box kEqPanel{14, 74, 886, 370};
constexpr Box kCompressorPanel{14, 378, 886, 614};
constexpr double kDividers[2] = {307, 593};

void DrawPanel(LICE_IBitmap* bm, const Box& box) {
  FillRoundRect(bm, box.Shift(0, 2), 9, palette::kPanelEdgeDark, 0.8);
  FillRoundRect(bm, box, 9, palette::kPanelEdgeLight);
  FillRoundRect(bm, {box.l, box.t + 1, box.r, box.b}, 9, palette::kPanelEdgeDark);
  FillRoundRect(bm, {box.l + 1, box.t + 1, box.r - 1, box.b - 1}, 8, palette::kPanel);
}

void DrawHeader(LICE_IBitmap* bm) {
  FillVertical(bm, 0, 62, Rgb(44, 48, 56), Rgb(31, 34, 40));
  LICE_FillRect(bm, 0, 62, bm->getWidth(), 1, palette::kPanelEdgeDark, 1.0f, 0);
  LICE_FillRect(bm, 0, 63, bm->getWidth(), 1, Rgb(50, 54, 62), 1.0f, 0);

  const TextStyle wordmark{30, true, palette::kText, 5};
  const int width = DrawText(bm, "TUNDRAX", wordmark, 26, 14);
  DrawText(bm, "KICK DRUM SHAPER", {11, false, palette::kTextDim, 2.5}, 26 + width + 16, 27);
  // The bands' colours as a signature under the name.
  const LICE_pixel accents[3] = {palette::kWarmth, palette::kBoxiness, palette::kClick};
  for (int i = 0; i < 3; ++i)
    FillRoundRect(bm, {28.0 + i * 24, 48, 48.0 + i * 24, 51}, 1.5, accents[i]);
  DrawText(bm, "ORVALLINE", {13, true, palette::kTextDim, 5}, 874, 25, Align::kRight);
}

void DrawBandColumn(LICE_IBitmap* bm, const Band& band) {
  const double x = band.left;
  DrawText(bm, band.name, {22, true, band.accent}, x + 84, 94);
  const std::string range =
      FrequencyText(band.frequencies[0]) + " \xE2\x80\x93 " + FrequencyText(band.frequencies[2]);
  DrawText(bm, band.role + std::string("  \xC2\xB7  ") + range, {11, false, palette::kTextDim},
           x + 85, 119);
  DrawBandChart(bm, {x, 140, x + 266, 238}, band);
}

// The small caps over a control.
void Caption(LICE_IBitmap* bm, const std::string& text, double x, int y,
             Align align = Align::kLeft) {
  DrawText(bm, text, {9, true, palette::kTextDim, 1.5}, x, y, align);
}

void DrawControlCaptions(LICE_IBitmap* bm, const layout::Control& c) {
  const RECT r = ControlRect(c);
  switch (c.kind) {
    case layout::ControlKind::kStepSelector: {
      const bool frequency = c.param % 3 == 0;
      Caption(bm, frequency ? "FREQUENCY" : "GAIN", r.left + 2, r.top - 13);
      break;
    }
    case layout::ControlKind::kQSwitch:
      Caption(bm, "QUALITY", r.right + 10, r.top + 3);
      break;
    case layout::ControlKind::kIcon:
      DrawText(bm, "bandwidth 1 \xC2\xB7 1/2 \xC2\xB7 1/4 octave", {9, false, palette::kTextFaint},
               r.right + 10, r.top + 4);
      break;
    default:
      break;
  }
}

struct KnobText {
  const char* name;
  const char* low;
  const char* high;
};

void DrawKnobLabels(LICE_IBitmap* bm, const layout::Control& c, const KnobText& text) {
  const RECT r = ControlRect(c);
  const double centre = (r.left + r.right) / 2.0;
  DrawText(bm, text.name, {12, true, palette::kText, 0.5}, centre, r.top + 17, Align::kCentre);
  const TextStyle range{9, false, palette::kTextFaint};
  DrawText(bm, text.low, range, r.left + 12, r.bottom + 1, Align::kCentre);
  DrawText(bm, text.high, range, r.right - 12, r.bottom + 1, Align::kCentre);
}

// Ticks every 3 dB, numbers every 6, on the side of the meter away from the knobs. Each tick
// sits on the pixel column where the lit part of the strip ends at that level: the gap between
// two segments.
void DrawMeterScale(LICE_IBitmap* bm, const RECT& meter, bool below, bool fromRight) {
  const TextStyle numbers{9, false, palette::kTextDim};
  for (int db = 0; db <= kMeterRangeDb; db += 3) {
    const double edge = meter.left + kMeterBezel + (kMeterRangeDb - db) * kMeterPixelsPerDb;
    const double x = fromRight ? edge + 0.5 : edge - 0.5;
    const bool major = db % 6 == 0;
    const double y0 = below ? meter.bottom + 1 : meter.top - 1;
    const double len = major ? 4 : 2;
    StrokeLine(bm, x, y0, x, below ? y0 + len : y0 - len, 1, palette::kTextDim, major ? 0.9 : 0.5);
    if (!major) continue;
    const std::string label = db == 0 ? "0" : MinusSign() + std::to_string(db);
    DrawText(bm, label, numbers, edge, below ? meter.bottom + 5 : meter.top - 15, Align::kCentre);
  }
  DrawText(bm, "dB", numbers, meter.right + 8, below ? meter.bottom + 5 : meter.top - 15);
}

void DrawPlace(LICE_IBitmap* bm, const layout::Control& c) {
  const Box box = ToBox(ControlRect(c));
  switch (c.kind) {
    case layout::ControlKind::kSwitch:
      DrawWell(bm, box, 7, palette::kWell);
      break;
    case layout::ControlKind::kStepSelector:
      DrawWell(bm, box, 8, palette::kWell);
      break;
    case layout::ControlKind::kQSwitch:
      DrawWell(bm, box, 4, palette::kWellDeep);
      break;
    case layout::ControlKind::kIcon:
      FillRoundRect(bm, box, 3, Shade(palette::kPanel, 0.86));  // a faint legend shelf
      break;
    case layout::ControlKind::kHoverKnob: {
      // A shallow round well under the knob part.
      const double cx = box.CentreX(), cy = box.t + c.labelHeight + 37.5;
      FillCircle(bm, cx, cy + 1, 36.5, palette::kWellLip, 0.35);
      FillCircle(bm, cx, cy, 36.5, palette::kWell);
      break;
    }
    case layout::ControlKind::kPeakMeter:
      DrawWell(bm, box, 3, palette::kWellDeep);
      break;
  }
}
}  // namespace

std::unique_ptr<LICE_MemBitmap> DrawBackground() {
  auto bm = NewRaster(layout::kEditorWidth, layout::kEditorHeight, palette::kBackdropTop);
  FillVertical(bm.get(), 0, layout::kEditorHeight, palette::kBackdropTop, palette::kBackdropBottom);
  DrawHeader(bm.get());

  DrawPanel(bm.get(), kEqPanel);
  for (double x : kDividers) {
    LICE_FillRect(bm.get(), int(x), int(kEqPanel.t) + 12, 1, int(kEqPanel.Height()) - 24,
                  palette::kDivider, 1.0f, 0);
    LICE_FillRect(bm.get(), int(x) + 1, int(kEqPanel.t) + 12, 1, int(kEqPanel.Height()) - 24,
                  palette::kPanelEdgeLight, 0.5f, 0);
  }
  for (const Band& band : kBands) DrawBandColumn(bm.get(), band);

  DrawPanel(bm.get(), kCompressorPanel);
  const KnobText knobs[5] = {{"Ratio", "1:1", "20:1"},
                             {"Threshold", "0 dB", nullptr},
                             {"Attack", "1 ms", "100 ms"},
                             {"Release", "1 ms", "500 ms"},
                             {"Make-up", "0 dB", "+48"}};
  const std::string lowestThreshold = MinusSign() + "48";
  int knob = 0;
  for (const layout::Control& c : layout::kControls) {
    DrawPlace(bm.get(), c);
    DrawControlCaptions(bm.get(), c);
    if (c.kind == layout::ControlKind::kHoverKnob) {
      KnobText text = knobs[knob++];
      if (!text.high) text.high = lowestThreshold.c_str();
      DrawKnobLabels(bm.get(), c, text);
    }
  }

  const RECT reduction = ControlRect(layout::kControls[layout::kGainReductionMeterControl]);
  const RECT output = ControlRect(layout::kControls[layout::kOutputMeterControl]);
  DrawMeterScale(bm.get(), reduction, true, true);
  DrawMeterScale(bm.get(), output, false, false);
  const TextStyle meterName{9, true, palette::kTextDim, 1};
  DrawText(bm.get(), "GAIN", meterName, reduction.left - 8, reduction.top - 4, Align::kRight);
  DrawText(bm.get(), "REDUCTION", meterName, reduction.left - 8, reduction.top + 7, Align::kRight);
  DrawText(bm.get(), "OUTPUT", meterName, output.left - 8, output.top + 2, Align::kRight);
  return bm;
}

}  // namespace artgen
