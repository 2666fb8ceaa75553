#include "BandChart.h"

#include "Palette.h"
#include "Text.h"

#include <cmath>
#include <vector>

namespace artgen {
namespace {
constexpr double kLowHz = 25, kHighHz = 16000;
constexpr double kRangeDb = 15;
constexpr double kBellOctaves = 0.42;  // width (standard deviation) of a drawn bell

struct Chart {
  Box plot;
  double X(double hz) const {
    return plot.l + std::log(hz / kLowHz) / std::log(kHighHz / kLowHz) * plot.Width();
  }
  double Hz(double x) const {
    return kLowHz * std::exp((x - plot.l) / plot.Width() * std::log(kHighHz / kLowHz));
  }
  double Y(double db) const { return plot.CentreY() - db / kRangeDb * plot.Height() / 2; }
};

// The bell of one frequency step at full gain, in dB at hz.
double Bell(double centre, double gain, double hz) {
  const double octaves = std::log2(hz / centre);
  return gain * std::exp(-octaves * octaves / (2 * kBellOctaves * kBellOctaves));
}
}  // namespace

void DrawBandChart(LICE_IBitmap* bm, const Box& box, const Band& band) {
  DrawWell(bm, box, 6, palette::kWell);
  const Chart chart{box.Inset(6)};
  const Box& p = chart.plot;

  // Grid: decades and the 0 dB line.
  const TextStyle gridText{9, false, LICE_ARGB(200, 98, 104, 116)};
  for (double hz : {100.0, 1000.0, 10000.0}) {
    const double x = std::round(chart.X(hz)) + 0.5;
    StrokeLine(bm, x, p.t, x, p.b, 1, palette::kTextFaint, 0.25);
    DrawText(bm, hz < 1000 ? "100" : hz < 10000 ? "1k" : "10k", gridText, x + 3, int(p.b) - 10);
  }
  for (double hz : {50.0, 200.0, 500.0, 2000.0, 5000.0}) {
    const double x = std::round(chart.X(hz)) + 0.5;
    StrokeLine(bm, x, p.t, x, p.b, 1, palette::kTextFaint, 0.1);
  }
  const double zero = std::round(chart.Y(0)) + 0.5;
  StrokeLine(bm, p.l, zero, p.r, zero, 1, palette::kTextFaint, 0.35);

  // One bell per frequency step, at the band's largest gain; the middle step in front.
  const double gain = band.gains[2];
  for (int step : {0, 2, 1}) {
    const double centre = band.frequencies[step];
    std::vector<Point> outline;
    for (int i = 0; i <= int(p.Width()); ++i)
      outline.push_back({p.l + i, chart.Y(Bell(centre, gain, chart.Hz(p.l + i)))});
    Paint(
        bm, p,
        [&](double x, double y) {
          const double c = chart.Y(Bell(centre, gain, chart.Hz(x)));
          return std::max(y - std::max(zero, c), std::min(zero, c) - y);
        },
        [&](double, double) { return band.accent; }, 0.13);
    StrokePolyline(bm, outline, 1.5, band.accent, step == 1 ? 0.95 : 0.55);
    const double x = chart.X(centre), y = chart.Y(gain);
    FillCircle(bm, x, y, 2.6, band.accent);
    FillCircle(bm, x, y, 1.2, Shade(band.accent, 1.7));
  }
}

}  // namespace artgen
