#include "IGraphicsHeadless.h"

IGraphicsHeadless::IGraphicsHeadless(IPlugBase* plug, int w, int h, int fps, ImageResources images)
    : IGraphics(plug, w, h, fps), mImages(std::move(images)) {}

IRECT IGraphicsHeadless::Tick() {
  IRECT r;
  if (!IsDirty(&r)) return IRECT();
  Draw(&r);
  return r;
}

bool IGraphicsHeadless::DrawScreen(IRECT* r) {
  if (r) mLastPresented = *r;
  ++mNPresented;
  return true;
}

IPopupMenu* IGraphicsHeadless::CreateIPopupMenu(IPopupMenu* menu, IRECT* area) {
  if (!menu || !mMenuHook) return nullptr;
  const int chosen = mMenuHook(*menu, area ? *area : IRECT());
  IPopupMenuItem* item = menu->GetItem(chosen);
  if (!item || !item->GetEnabled() || item->GetIsTitle() || item->GetIsSeparator()) {
    return nullptr;
  }
  menu->SetChosenItemIdx(chosen);
  return menu;
}

void IGraphicsHeadless::PromptUserInput(IGraphicsControl* control, IText*, IRECT* area,
                                        const char* initial, IParam* param) {
  if (!mTextEntryHook) return;
  const std::optional<std::string> typed =
      mTextEntryHook(initial ? initial : "", area ? *area : IRECT(), param);
  if (typed) SetFromStringAfterPrompt(control, param, typed->c_str());
}

bool IGraphicsHeadless::GetTextFromClipboard(std::string* text) {
  if (text) text->clear();
  return false;
}

LICE_IBitmap* IGraphicsHeadless::OSLoadBitmap(int, const char* name) { return mImages.Load(name); }
