// A vendor-specific request that plug-ins built on this framework answer: draw the whole editor
// into its back buffer, without a window, and hand the pixels to the caller. The command-line
// host's screenshot command and the editor tests use it; no DAW sends it.
//
// effVendorSpecific with index kEditorSnapshotIndex and ptr an EditorSnapshot whose structSize
// is filled in; returns 1 and fills the output fields, or 0 when the plug-in has no editor, its
// window is open (the editor thread owns the back buffer then), or the request is malformed.
// The plug-in draws on the caller's thread with its instance mutex held (as for every
// dispatcher call), so nothing may process audio at the same time through another thread.
#pragma once

#include <cstdint>

namespace vst2 {

constexpr int32_t kEditorSnapshotIndex = 0x5478536e;  // 'TxSn'

struct EditorSnapshot {
  int32_t structSize = sizeof(EditorSnapshot);  // in
  int32_t hoverX = -1;  // in: where the pointer rests while drawing; negative: nowhere
  int32_t hoverY = -1;
  int32_t width = 0;  // out: editor size in pixels
  int32_t height = 0;
  int32_t rowSpan = 0;               // out: pixels from one row to the next
  const uint32_t* pixels = nullptr;  // out: A, R, G, B bytes per pixel in memory order; valid
                                     // until the next dispatcher call
};

}  // namespace vst2
