// A test plug-in with a headless editor: controls are added to it, the editor is attached to
// the plug-in on first use, and the host log starts empty.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "GuiTestPlug.h"
#include "Strips.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { HostLog().take(); }

  template <class C, class... Args>
  C* Add(Args&&... args) {
    auto* control = new C(&mPlug, std::forward<Args>(args)...);
    mEditor->AttachControl(control);
    return control;
  }
  // Attaches the editor (pushing the parameters into the controls) and draws everything.
  void Open() {
    Attach(&mPlug, mEditor);
    mEditor->Tick();
    HostLog().take();
  }
  void Click(int x, int y, IMouseMod mod = IMouseMod(true, false)) {
    mEditor->OnMouseDown(x, y, &mod);
    mEditor->OnMouseUp(x, y, &mod);
  }
  void Drag(int x, int y, int dY, IMouseMod mod = IMouseMod(true, false)) {
    mEditor->OnMouseDown(x, y, &mod);
    mEditor->OnMouseDrag(x, y + dY, &mod);
    mEditor->OnMouseUp(x, y + dY, &mod);
  }
  double Normalized(int idx) { return mPlug.GetParam(idx)->GetNormalized(); }
  std::vector<host::HostEvent> Heard() { return HostLog().take(); }

  // Strips outlive the plug-in, which deletes the editor and its controls.
  Strip mKnobStrip{75, 75, 101};
  Strip mThreeFrames{90, 16, 3};
  Strip mTwoFrames{20, 20, 2};
  Strip mOneFrame{20, 20, 1};
  GuiTestPlug mPlug;
  IGraphicsHeadless* mEditor = MakeEditor(&mPlug);
};

inline host::HostEvent Begin(int idx) { return {host::HostEvent::Kind::BeginEdit, idx, 0.0f}; }
inline host::HostEvent End(int idx) { return {host::HostEvent::Kind::EndEdit, idx, 0.0f}; }
inline host::HostEvent Automate(int idx, double v) {
  return {host::HostEvent::Kind::Automate, idx, static_cast<float>(v)};
}
