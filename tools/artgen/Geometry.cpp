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
  if (c.kind == layout::ControlKind::kHoverKnob || c.kind == layout::ControlKind::kPeakMeter)
    return -1;
  return c.x < 300 ? 0 : c.x < 590 ? 1 : 2;
}

}  // namespace artgen
