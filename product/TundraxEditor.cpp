// The editor-building section of the product's constructor: the graphics object, the
// background and the 22 controls of the layout, bound to their parameters, in drawing order.
#include <dlfcn.h>

#include <string>

#include "Tundrax.h"
#include "TundraxLayout.h"
#include "TundraxParams.h"
#include "controls/ControlKnobHover.h"
#include "controls/ControlPeakMeter.h"
#include "controls/ControlSwitches.h"
#include "controls/IBitmapControl.h"
#include "controls/ISwitchControls.h"
#include "core/IPlugEditor.h"
#include "graphics/x11/IGraphicsX11.h"
#include "product/EmbeddedImages.h"

namespace layout = tundrax::layout;

namespace {

// resources/img/ beside the plug-in module: images there replace the compiled-in ones.
std::string OverrideFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&GetEmbeddedImages), &info) || !info.dli_fname) return {};
  std::string path = info.dli_fname;
  const std::size_t slash = path.rfind('/');
  path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return path + layout::kResourceFolder;
}

IBitmap LoadLayoutBitmap(IGraphics* graphics, int id) {
  const layout::Resource* resource = layout::FindResource(id);
  const std::string name = std::string(layout::kResourceFolder) + resource->file;
  return graphics->LoadIBitmap(resource->id, name.c_str(), resource->frames);
}

}  // namespace

void Tundrax::GrayOutBand(int band, bool bypassed) {
  IPlugEditor* graphics = GetGUI();
  if (!graphics) return;
  // A bypassed band's frequency, gain and quality controls and its Q icon are drawn greyed out.
  for (int p = kWarmthFrequency + 3 * band; p < kWarmthFrequency + 3 * band + 3; ++p) {
    graphics->GrayOutControl(p, bypassed);
  }
  if (mQIcons[band]) mQIcons[band]->GrayOut(bypassed);
}

void Tundrax::BuildEditor(IMeterSource* gainReductionMeter, IMeterSource* outputMeter) {
  // The editor opens inside the host's X11 window; without a window (the host's screenshot
  // command) the engine draws the same picture into its back buffer.
  using EditorView = IGraphicsX11;
  auto* graphics = new EditorView(this, layout::kEditorWidth, layout::kEditorHeight, 0,
                                  ImageResources::FromList(GetEmbeddedImages(), OverrideFolder()));
  // The compressor knobs show their value while the pointer rests on them.
  graphics->HandleMouseOver(true);
  const layout::Resource* background = layout::FindResource(layout::kBackground);
  graphics->AttachBackground(background->id,
                             (std::string(layout::kResourceFolder) + background->file).c_str());

  for (int i = 0; i < layout::kControlCount; ++i) {
    const layout::Control& c = layout::kControls[i];
    IBitmap bitmap = LoadLayoutBitmap(graphics, c.resource);
    IControl* control = nullptr;
    switch (c.kind) {
      case layout::ControlKind::kSwitch:
        control = new ISwitchControl(this, c.x, c.y, c.param, &bitmap);
        break;
      case layout::ControlKind::kStepSelector:
        control = new ControlKnob(this, c.x, c.y, c.param, &bitmap);
        break;
      case layout::ControlKind::kQSwitch:
        control = new ControlQSwitch(this, c.x, c.y, c.param, &bitmap);
        break;
      case layout::ControlKind::kIcon:
        control = new IBitmapControl(this, c.x, c.y, &bitmap);
        break;
      case layout::ControlKind::kHoverKnob:
        control = new ControlKnobHover(this, IRECT(c.x, c.y, c.right, c.bottom), c.param, &bitmap,
                                       c.labelHeight, c.negateDisplay);
        break;
      case layout::ControlKind::kPeakMeter: {
        IMeterSource* source =
            i == layout::kGainReductionMeterControl ? gainReductionMeter : outputMeter;
        IRECT rect(c.x, c.y, c.x + bitmap.FrameW(), c.y + bitmap.FrameH());
        control = new ControlPeakMeter(this, rect, &bitmap, source);
        break;
      }
    }
    for (int band = 0; band < 3; ++band) {
      if (i == layout::kQIconControls[band]) mQIcons[band] = control;
    }
    graphics->AttachControl(control);
  }
  AttachGraphics(graphics);
}
