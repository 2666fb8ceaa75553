#pragma once
// The panel's colours and type faces. Everything is opaque except where a name says otherwise.

#include "LICE_Types.h"

namespace artgen {

constexpr LICE_pixel Rgb(unsigned r, unsigned g, unsigned b) { return LICE_ARGB(255, r, g, b); }

namespace palette {
// Backdrop behind the panels, top to bottom.
constexpr LICE_pixel kBackdropTop = Rgb(34, 37, 43);
constexpr LICE_pixel kBackdropBottom = Rgb(17, 18, 22);
// Panel faces are flat, so a control looks the same wherever its strip is placed.
constexpr LICE_pixel kPanel = Rgb(39, 42, 49);
constexpr LICE_pixel kPanelEdgeLight = Rgb(62, 67, 77);
constexpr LICE_pixel kPanelEdgeDark = Rgb(14, 15, 18);
constexpr LICE_pixel kDivider = Rgb(26, 28, 33);
// Recesses (wells, slots, meter troughs).
constexpr LICE_pixel kWell = Rgb(21, 23, 27);
constexpr LICE_pixel kWellDeep = Rgb(13, 14, 17);
constexpr LICE_pixel kWellLip = Rgb(55, 59, 68);
// Text.
constexpr LICE_pixel kText = Rgb(228, 231, 236);
constexpr LICE_pixel kTextDim = Rgb(150, 157, 169);
constexpr LICE_pixel kTextFaint = Rgb(98, 104, 116);
// Band and section accents.
constexpr LICE_pixel kWarmth = Rgb(255, 154, 66);
constexpr LICE_pixel kBoxiness = Rgb(98, 214, 164);
constexpr LICE_pixel kClick = Rgb(176, 146, 255);
constexpr LICE_pixel kIce = Rgb(96, 198, 240);
// Knob body.
constexpr LICE_pixel kKnobLight = Rgb(92, 98, 110);
constexpr LICE_pixel kKnobDark = Rgb(40, 43, 50);
constexpr LICE_pixel kKnobRim = Rgb(120, 127, 140);
constexpr LICE_pixel kKnobTrack = Rgb(47, 51, 60);
// Meters.
constexpr LICE_pixel kMeterGreen = Rgb(84, 214, 110);
constexpr LICE_pixel kMeterAmber = Rgb(255, 184, 56);
constexpr LICE_pixel kMeterRed = Rgb(255, 72, 60);
constexpr LICE_pixel kMeterReduction = Rgb(82, 176, 255);
constexpr LICE_pixel kMeterReductionDeep = Rgb(118, 104, 255);
}  // namespace palette

// DejaVu Sans comes with fonts-dejavu-core, which tools/setup-debian.sh installs.
constexpr const char* kFace = "DejaVu Sans";

}  // namespace artgen
