// The editor without a window: a platform class that draws into the back buffer and keeps
// it readable, for screenshots, tests, benchmarks and scripted hosts. Nothing here touches a
// windowing system. Images come from an ImageResources; popup menus and text entries are
// answered by hooks that the owner sets (without one, a menu is dismissed and an entry
// cancelled).
//
// Threads: like IGraphics (hooks are called on the editor thread, from inside the prompt).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "IGraphics.h"
#include "ImageResources.h"

class IGraphicsHeadless : public IGraphics {
 public:
  // The index of the chosen item, or -1 to dismiss.
  using MenuHook = std::function<int(const IPopupMenu& menu, const IRECT& area)>;
  // The typed text, or nullopt when the entry is cancelled.
  using TextEntryHook = std::function<std::optional<std::string>(
      const char* initial, const IRECT& area, const IParam* param)>;

  IGraphicsHeadless(IPlugBase* plug, int w, int h, int fps = 0,
                    ImageResources images = ImageResources());

  void SetMenuHook(MenuHook hook) { mMenuHook = std::move(hook); }
  void SetTextEntryHook(TextEntryHook hook) { mTextEntryHook = std::move(hook); }

  // The area the last Draw presented, and how many Draw calls presented anything.
  const IRECT& LastPresented() const { return mLastPresented; }
  int NPresented() const { return mNPresented; }
  // One frame of the cycle a window's timer would run: collect the dirty area, draw it.
  // Returns the area drawn (all zero when nothing was dirty).
  IRECT Tick();

  // --- Platform ---
  bool DrawScreen(IRECT* r) override;
  void ForceEndUserEdit() override {}
  int ShowMessageBox(const char*, const char*, int) override { return 0; }
  IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT* area) override;
  void PromptUserInput(IGraphicsControl* control, IText* text, IRECT* area, const char* initial,
                       IParam* param) override;
  using IGraphics::PromptUserInput;
  bool PromptForFile(std::string*, int, std::string*, const char*) override { return false; }
  bool PromptForColor(IColor*) override { return false; }
  bool OpenURL(const char*, const char*) override { return false; }
  void* GetWindow() override { return nullptr; }
  bool GetTextFromClipboard(std::string* text) override;
  void UpdateTooltips() override {}
  LICE_IBitmap* OSLoadBitmap(int id, const char* name) override;
  const char* GetGUIAPI() override { return "headless"; }

  // --- IPlugEditor: there is no window to open ---
  bool OpenWindow(void*) override { return false; }
  void CloseWindow() override {}

 private:
  ImageResources mImages;
  MenuHook mMenuHook;
  TextEntryHook mTextEntryHook;
  IRECT mLastPresented;
  int mNPresented = 0;
};
