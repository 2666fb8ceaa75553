#include "Strip.h"

#include "Geometry.h"

#include <string>

namespace artgen {
namespace layout = tundrax::layout;

std::unique_ptr<LICE_MemBitmap> MakeStrip(LICE_IBitmap* background, int resource,
                                          const FrameDrawer& draw) {
  const layout::Resource* info = layout::FindResource(resource);
  if (!info) throw ArtError("unknown resource " + std::to_string(resource));
  const FrameSize size = FrameSizeOf(resource);

  // The frame's part of the control: hover knobs show it below their label strip.
  auto frameOrigin = [&](const layout::Control& c) {
    const RECT r = ControlRect(c);
    return std::make_pair(r.left, r.top + c.labelHeight);
  };
  const layout::Control* first = nullptr;
  for (const layout::Control& c : layout::kControls) {
    if (c.resource != resource) continue;
    if (!first) {
      first = &c;
      continue;
    }
    const auto [ax, ay] = frameOrigin(*first);
    const auto [bx, by] = frameOrigin(c);
    if (!SameArea(background, ax, ay, background, bx, by, size.width, size.height))
      throw ArtError(std::string(info->file) + ": the background differs under its places");
  }
  if (!first) throw ArtError(std::string(info->file) + ": no control uses it");

  const auto [x, y] = frameOrigin(*first);
  auto strip = NewRaster(size.width, size.height * info->frames, 0);
  for (int i = 0; i < info->frames; ++i) {
    auto frame = Crop(background, x, y, size.width, size.height);
    draw(frame.get(), i);
    LICE_Blit(strip.get(), frame.get(), 0, i * size.height, 0, 0, size.width, size.height, 1.0f,
              LICE_BLIT_MODE_COPY);
  }
  return strip;
}

}  // namespace artgen
