#include "Preview.h"

#include "Geometry.h"
#include "LICE_CachedFont.h"

namespace artgen {
namespace layout = tundrax::layout;
namespace {
// Frame k (1-based) of N for a normalised value, as the editor picks it.
int FrameFor(double value, int frames) {
  const int i = int((frames - 1) * value + 0.5);
  return i < 0 ? 1 : i >= frames ? frames : i + 1;
}

void DrawFrame(LICE_IBitmap* panel, const Strips& strips, const layout::Control& c, int frame,
               float weight) {
  LICE_IBitmap* strip = strips.at(c.resource);
  const int frames = layout::FindResource(c.resource)->frames;
  const int h = strip->getHeight() / frames;
  RECT r = ControlRect(c);
  r.top += c.labelHeight;  // a hover knob draws its frame below the label strip
  LICE_Blit(panel, strip, r.left, r.top, 0, (frame - 1) * h, r.right - r.left, h, weight,
            LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
}

std::unique_ptr<LICE_MemBitmap> Background(const Strips& strips) {
  LICE_IBitmap* bg = strips.at(layout::kBackground);
  return Crop(bg, 0, 0, bg->getWidth(), bg->getHeight());
}

// The hover knob's value box, as the control draws it.
void DrawValueBox(LICE_IBitmap* panel, const layout::Control& c, const char* text) {
  const RECT r = ControlRect(c);
  const RECT box{r.left + 20, r.top, r.right - 20, r.top + 14};
  LICE_FillRect(panel, box.left, box.top, box.right - box.left, box.bottom - box.top,
                LICE_ARGB(225, 0, 0, 0), 1.0f, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
  LICE_CachedFont font;
  font.SetFromHFont(LICE_CreateNativeFont(12, 0, 0, 0, 400, false, 0, "Monaco"),
                    LICE_FONT_FLAG_OWNS_HFONT);
  font.SetTextColor(LICE_ARGB(225, 20, 178, 224));
  RECT at{box.left, box.top + 2, box.right, box.bottom};
  font.DrawText(panel, text, -1, &at, LICE_DT_CENTER | LICE_DT_USEFGALPHA);
}
}  // namespace

std::unique_ptr<LICE_MemBitmap> ComposeFirstFrames(const Strips& strips) {
  auto panel = Background(strips);
  for (const layout::Control& c : layout::kControls) DrawFrame(panel.get(), strips, c, 1, 1.0f);
  return panel;
}

std::unique_ptr<LICE_MemBitmap> ComposeOtherStates(const Strips& strips) {
  auto panel = Background(strips);
  const double knobValues[5] = {0.2, 0.55, 0.08, 0.4, 1.0};
  int knob = 0;
  for (const layout::Control& c : layout::kControls) {
    const bool greyed = BandOf(c) == 1 && c.kind != layout::ControlKind::kSwitch;
    const float weight = greyed ? 0.25f : 1.0f;
    switch (c.kind) {
      case layout::ControlKind::kSwitch:
        DrawFrame(panel.get(), strips, c, BandOf(c) == 1 ? 2 : 1, weight);
        break;
      case layout::ControlKind::kStepSelector:
      case layout::ControlKind::kQSwitch:
        DrawFrame(panel.get(), strips, c, c.param % 3 == 1 ? 3 : 2, weight);
        break;
      case layout::ControlKind::kIcon:
        DrawFrame(panel.get(), strips, c, 1, weight);
        break;
      case layout::ControlKind::kHoverKnob:
        DrawFrame(panel.get(), strips, c, FrameFor(knobValues[knob++], 101), weight);
        break;
      case layout::ControlKind::kPeakMeter:
        // 7.5 dB of reduction; output at −4 dB.
        DrawFrame(panel.get(), strips, c,
                  c.resource == layout::kMeterGainReduction ? FrameFor(7.5 / 48, 101)
                                                            : FrameFor(44.0 / 48, 101),
                  weight);
        break;
    }
  }
  for (const layout::Control& c : layout::kControls)
    if (c.kind == layout::ControlKind::kHoverKnob && c.negateDisplay)
      DrawValueBox(panel.get(), c, "-26.4");
  return panel;
}

}  // namespace artgen
