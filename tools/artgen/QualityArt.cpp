// The quality switch (three equal columns "1", "2", "4", the chosen one lit) and the icon
// under it: one bell per column, narrower as the quality rises. Both are shared by the three
// bands, so they use the neutral colours.
#include "Artwork.h"
#include "Palette.h"
#include "Strip.h"
#include "Text.h"
#include "product/TundraxLayout.h"

#include <cmath>

namespace artgen {
namespace layout = tundrax::layout;
namespace {
constexpr const char* kQualities[3] = {"1", "2", "4"};
}

std::unique_ptr<LICE_MemBitmap> DrawQualitySwitch(LICE_IBitmap* background) {
  return MakeStrip(background, layout::kQValues, [&](LICE_IBitmap* f, int chosen) {
    const double column = f->getWidth() / 3.0;
    for (int i = 1; i < 3; ++i)
      LICE_FillRect(f, int(i * column), 3, 1, f->getHeight() - 6, palette::kWellLip, 0.6f, 0);
    const Box lit{chosen * column + 1.5, 1.5, (chosen + 1) * column - 1.5, f->getHeight() - 1.5};
    FillRoundRectVertical(f, lit, 3, Rgb(120, 206, 244), Rgb(70, 160, 210));
    for (int i = 0; i < 3; ++i) {
      const TextStyle style{11, true, i == chosen ? Rgb(12, 22, 30) : palette::kTextDim};
      DrawText(f, kQualities[i], style, (i + 0.5) * column, 2, Align::kCentre);
    }
  });
}

std::unique_ptr<LICE_MemBitmap> DrawQualityIcon(LICE_IBitmap* background) {
  return MakeStrip(background, layout::kQIcon, [&](LICE_IBitmap* f, int) {
    const double column = f->getWidth() / 3.0;
    const double base = f->getHeight() - 3.5, height = f->getHeight() - 7.0;
    for (int i = 0; i < 3; ++i) {
      const double cx = (i + 0.5) * column;
      const double width = 6.0 / std::pow(2.0, i);  // 1, ½ and ¼ octave look
      StrokeLine(f, cx - column / 2 + 3, base, cx + column / 2 - 3, base, 1, palette::kTextFaint,
                 0.8);
      std::vector<Point> bell;
      for (double x = cx - column / 2 + 3; x <= cx + column / 2 - 3; x += 0.5) {
        const double u = (x - cx) / width;
        bell.push_back({x, base - height * std::exp(-u * u)});
      }
      StrokePolyline(f, bell, 1.3, palette::kTextDim);
    }
  });
}

}  // namespace artgen
