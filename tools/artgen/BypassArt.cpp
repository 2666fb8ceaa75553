// The bypass switches: a lit lamp and "ON" while the band works, a dark lamp and "OFF" while
// it is bypassed.
#include "Artwork.h"
#include "Palette.h"
#include "Strip.h"
#include "Text.h"

namespace artgen {

std::unique_ptr<LICE_MemBitmap> DrawBypassSwitch(LICE_IBitmap* background, const Band& band) {
  return MakeStrip(background, band.bypassResource, [&](LICE_IBitmap* f, int frame) {
    const bool active = frame == 0;
    const Box face{2, 2, double(f->getWidth()) - 2, double(f->getHeight()) - 2};
    DrawPlate(f, face, 5, active ? Rgb(64, 69, 79) : Rgb(52, 56, 64),
              active ? Rgb(46, 50, 58) : Rgb(38, 41, 48));
    DrawLamp(f, 15, face.CentreY(), 4.5, band.accent, active);
    const TextStyle text{12, true, active ? palette::kText : palette::kTextFaint, 1};
    DrawText(f, active ? "ON" : "OFF", text, (26 + face.r) / 2, int(face.CentreY()) - 6,
             Align::kCentre);
  });
}

}  // namespace artgen
