#include "Geometry.h"

namespace artgen {
namespace layout = tundrax::layout;

FrameSize FrameSizeOf(int resource) {
  switch (resource) {
    case layout::kBackground:
      return {layout::kEditorWidth, layout::kEditorHeight};
    case layout::kBypassWarmth:
    case layout::kBypassBoxiness:
    case layout::kBypassClick:
      return {70, 28};
    case layout::kQValues:
      return {84, 16};
    case layout::kQIcon:
      return {84, 18};
    case layout::kCompressorKnob:
      return {layout::kKnobFrameSize, layout::kKnobFrameSize};
    case layout::kMeterGainReduction:
    case layout::kMeterOutput:
      return {kMeterWidth, kMeterHeight};
    default:  // the frequency and gain selectors
      return {116, 58};
  }
}

RECT ControlRect(const layout::Control& c) {
  if (c.right > 0) return {c.x, c.y, c.right, c.bottom};
  const FrameSize size = FrameSizeOf(c.resource);
  return {c.x, c.y, c.x + size.width, c.y + size.height};
}

int BandOf(const layout::Control& c) {
  switch (c.kind) {
    case layout::ControlKind::kSwitch:
      return c.param;  // the bypass parameters 0, 1, 2
    case layout::ControlKind::kStepSelector:
    case layout::ControlKind::kQSwitch:
      return (c.param - 3) / 3;  // three step parameters per band from 3 on
    case layout::ControlKind::kIcon:
      for (int band = 0; band < 3; ++band)
        if (&layout::kControls[layout::kQIconControls[band]] == &c) return band;
      return -1;
    default:
      return -1;
  }
}

}  // namespace artgen
