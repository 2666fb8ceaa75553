#include "Bands.h"

#include "Palette.h"
#include "Text.h"
#include "product/TundraxLayout.h"

#include <cstdio>
#include <cstdlib>

namespace artgen {
namespace layout = tundrax::layout;

const Band kBands[3] = {
    {"Warmth",
     "low-end body",
     palette::kWarmth,
     28,
     {50, 90, 130},
     {3, 6, 9},
     layout::kBypassWarmth,
     layout::kFreqWarmth,
     layout::kGainWarmth},
    {"Boxiness",
     "cardboard mids",
     palette::kBoxiness,
     314,
     {180, 300, 420},
     {-4, -8, -12},
     layout::kBypassBoxiness,
     layout::kFreqBoxiness,
     layout::kGainBoxiness},
    {"Click",
     "beater attack",
     palette::kClick,
     600,
     {1000, 2500, 4000},
     {3, 6, 9},
     layout::kBypassClick,
     layout::kFreqClick,
     layout::kGainClick},
};

std::string FrequencyText(double hz) {
  char text[32];
  if (hz >= 1000)
    snprintf(text, sizeof text, "%g kHz", hz / 1000);
  else
    snprintf(text, sizeof text, "%g Hz", hz);
  return text;
}

std::string GainText(int db) {
  return (db < 0 ? MinusSign() : std::string("+")) + std::to_string(std::abs(db)) + " dB";
}

}  // namespace artgen
