// IGraphics: the editor's engine. It owns the back buffer and the controls, collects dirty
// controls and redraws them, routes mouse and key events to the right control, keeps controls
// and plug-in parameters in step both ways, and prompts for typed or picked values. It is
// platform-neutral: a platform class (the headless one, the X11 view) implements the virtuals
// marked "platform" and drives the engine (timer, paints, events).
//
// Threads and locks:
// - Editor thread: construction and layout (in the product's constructor), events, IsDirty,
//   Draw, prompts, Resize. None of these take the plug-in's mutex except where they call into
//   the plug-in (SetParameterFromGUI, Begin/EndInformHostOfParamChange take it themselves).
// - Any host thread, plug-in mutex held: SetParameterFromPlug, GrayOutControl, HideControl,
//   ClampControl. They walk the control list (fixed after layout) and only store values and
//   dirty flags in the controls; drawing never happens under the plug-in's mutex.
// - The control list changes only during layout and in Resize (which holds the plug-in's mutex
//   while it rebuilds, so it cannot race with the calls above).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "IGraphicsControl.h"
#include "IGraphicsStructs.h"
#include "IPopupMenu.h"
#include "core/IPlugEditor.h"

class IParam;
class IPlugBase;
class LICE_IBitmap;
class LICE_MemBitmap;
class LICE_SysBitmap;

class IGraphics : public IPlugEditor {
 public:
  static constexpr int kDefaultFPS = 25;

  // fps <= 0 gives kDefaultFPS.
  IGraphics(IPlugBase* plug, int w, int h, int fps = 0);
  ~IGraphics() override;
  IGraphics(const IGraphics&) = delete;
  IGraphics& operator=(const IGraphics&) = delete;

  // --- Platform ---------------------------------------------------------------------------------

  // Presents the back buffer (at least the area r).
  virtual bool DrawScreen(IRECT* r) = 0;
  // Closes an open text entry, keeping what was typed.
  virtual void ForceEndUserEdit() = 0;
  virtual int ShowMessageBox(const char* text, const char* caption, int type) = 0;
  // Shows the menu at area; returns the menu holding the chosen item (its chosen index set), or
  // null when dismissed.
  virtual IPopupMenu* CreateIPopupMenu(IPopupMenu* menu, IRECT* area) = 0;
  // Opens a text entry at area prefilled with text; it ends in SetFromStringAfterPrompt.
  virtual void PromptUserInput(IGraphicsControl* control, IText* text, IRECT* area,
                               const char* initial, IParam* param) = 0;
  virtual bool PromptForFile(std::string* file, int action, std::string* dir,
                             const char* extensions) = 0;
  virtual bool PromptForColor(IColor* color) = 0;
  virtual bool OpenURL(const char* url, const char* errMsgOnFailure = nullptr) = 0;
  virtual bool GetTextFromClipboard(std::string* text) = 0;
  virtual void UpdateTooltips() = 0;
  // Decodes the named image resource (its last path component) into a new raster, or null.
  virtual LICE_IBitmap* OSLoadBitmap(int id, const char* name) = 0;
  virtual const char* GetGUIAPI() { return ""; }
  virtual void HideMouseCursor() {}
  virtual void ShowMouseCursor() {}
  virtual bool WindowIsOpen() { return GetWindow() != nullptr; }
  virtual bool MeasureIText(IText* text, const char* str, IRECT* r) {
    return DrawIText(text, str, r, true);
  }
  // Editor thread. A new size (both above 0) deletes every control and the back buffers under
  // the plug-in's mutex, makes new back buffers and asks the plug-in to lay out again
  // (IPlugBase::ResizeGraphics); the same size does nothing. An open edit gesture is ended.
  virtual void Resize(int w, int h);

  // Folders a platform offers to file prompts (XDG folders on Linux).
  void HostPath(std::string* path);
  void PluginPath(std::string* path);
  void DesktopPath(std::string* path);
  void AppSupportPath(std::string* path, bool isSystem = false);
  void UserMusicPath(std::string* path);

  // --- IPlugEditor ------------------------------------------------------------------------------

  void SetParameterFromPlug(int paramIdx, double value, bool normalized) override;
  void GrayOutControl(int paramIdx, bool gray) override;
  void PrepDraw() override;
  // Redraws every control (hovering at the point, or after the pointer left when negative)
  // and hands out the back buffer. False before PrepDraw or while a window is open.
  bool RenderSnapshot(int hoverX, int hoverY, IPlugEditorPixels* out) override;
  int Width() const override { return mWidth; }
  int Height() const override { return mHeight; }

  // --- Layout -----------------------------------------------------------------------------------

  void AttachBackground(int id, const char* name);
  void AttachPanelBackground(const IColor* color);
  // Takes ownership; returns the control's index.
  int AttachControl(IGraphicsControl* control);
  // Takes ownership of the control that receives keys no other control takes.
  void AttachKeyCatcher(IGraphicsControl* control);
  void HandleMouseOver(bool canHandle) { mHandleMouseOver = canHandle; }
  void SetStrictDrawing(bool strict);

  int NControls() const { return static_cast<int>(mControls.size()); }
  // Null outside 0..NControls() - 1.
  IGraphicsControl* GetControl(int idx);
  IPlugBase* GetPlug() { return mPlug; }
  int FPS() const { return mFPS; }

  // --- Controls bound to one parameter ----------------------------------------------------------

  void HideControl(int paramIdx, bool hide);
  void ClampControl(int paramIdx, double lo, double hi, bool normalized);
  void SetControlsFromUserInput(int paramIdx, double value);
  void SetAllControlsDirty();
  void SetControlFromPlug(int controlIdx, double normalizedValue);
  void AssignParamNameToolTips();
  void OnGUIIdle();

  // --- Events (editor coordinates, y down) ------------------------------------------------------

  void OnMouseDown(int x, int y, IMouseMod* mod);
  void OnMouseUp(int x, int y, IMouseMod* mod);
  void OnMouseDrag(int x, int y, IMouseMod* mod);
  // True when the double click captured the mouse (delivered as a press).
  bool OnMouseDblClick(int x, int y, IMouseMod* mod);
  bool OnMouseOver(int x, int y, IMouseMod* mod);
  void OnMouseOut();
  void OnMouseWheel(int x, int y, IMouseMod* mod, int d);
  // (x, y) is the pointer. The control under it gets the key (never the background), else the
  // key catcher. False lets the platform pass the key on to the host.
  bool OnKeyDown(int x, int y, int key);
  // Ends the capture and the edit gesture it had opened.
  void ReleaseMouseCapture();
  int GetMouseCapture() const { return mMouseCapture; }
  int GetMouseOver() const { return mMouseOver; }
  int GetParamIdxForPTAutomation(int x, int y);
  int GetLastClickedParamForPTAutomation();

  // --- Frame cycle ------------------------------------------------------------------------------

  // The union of the dirty controls' rectangles is added to r; true when any was dirty.
  bool IsDirty(IRECT* r);
  // Draws the controls that need it for the area r into the back buffer, then DrawScreen(r).
  bool Draw(IRECT* r);

  // --- Prompts ----------------------------------------------------------------------------------

  // A popup menu for parameters with display texts, otherwise a text entry at area.
  void PromptUserInput(IGraphicsControl* control, IParam* param, IRECT* area);
  // Where a text entry ends: text that is not a number, not finite or out of range changes
  // nothing; an unknown display text picks nothing.
  void SetFromStringAfterPrompt(IGraphicsControl* control, IParam* param, const char* text);

  // --- Bitmaps (process-wide cache) -------------------------------------------------------------

  IBitmap LoadIBitmap(int id, const char* name, int nStates = 1, bool framesAreHorizontal = false);
  void RetainBitmap(IBitmap* bitmap);
  void ReleaseBitmap(IBitmap* bitmap);
  IBitmap ScaleBitmap(IBitmap* src, int destW, int destH);
  IBitmap CropBitmap(IBitmap* src, IRECT* r);

  // --- Drawing primitives (into the back buffer, on the editor thread) --------------------------

  bool DrawBitmap(IBitmap* bitmap, IRECT* dest, int srcX, int srcY,
                  const IChannelBlend* blend = nullptr);
  // bmpState is 1-based; anything below 2 draws the first frame, anything past the last frame
  // the last frame. dest gives the size of the copy (one frame).
  bool DrawBitmap(IBitmap* bitmap, IRECT* dest, int bmpState = 1,
                  const IChannelBlend* blend = nullptr);
  bool DrawRotatedBitmap(IBitmap* bitmap, int destCtrX, int destCtrY, double angle,
                         int yOffsetZeroDeg = 0, const IChannelBlend* blend = nullptr);
  bool DrawRotatedMask(IBitmap* base, IBitmap* mask, IBitmap* top, int x, int y,
                       double angleDegrees, const IChannelBlend* blend = nullptr);
  bool DrawPoint(const IColor* color, float x, float y, const IChannelBlend* blend = nullptr,
                 bool aa = false);
  // Writes the pixel without blending; ignored outside the back buffer.
  bool ForcePixel(const IColor* color, int x, int y);
  IColor GetPoint(int x, int y);
  bool DrawLine(const IColor* color, float x1, float y1, float x2, float y2,
                const IChannelBlend* blend = nullptr, bool aa = false);
  bool DrawRect(const IColor* color, IRECT* r);
  bool DrawVerticalLine(const IColor* color, int x, int yLo, int yHi);
  bool DrawHorizontalLine(const IColor* color, int y, int xLo, int xHi);
  bool DrawVerticalLine(const IColor* color, IRECT* r, float x);
  bool DrawHorizontalLine(const IColor* color, IRECT* r, float y);
  bool DrawRadialLine(const IColor* color, float cx, float cy, float angle, float rMin, float rMax,
                      const IChannelBlend* blend = nullptr, bool aa = false);
  bool DrawArc(const IColor* color, float cx, float cy, float r, float minAngle, float maxAngle,
               const IChannelBlend* blend = nullptr, bool aa = false);
  bool DrawCircle(const IColor* color, float cx, float cy, float r,
                  const IChannelBlend* blend = nullptr, bool aa = false);
  bool FillCircle(const IColor* color, int cx, int cy, float r,
                  const IChannelBlend* blend = nullptr, bool aa = false);
  bool RoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int radius, bool aa);
  bool FillRoundRect(const IColor* color, IRECT* r, const IChannelBlend* blend, int radius,
                     bool aa);
  bool FillIRect(const IColor* color, IRECT* r, const IChannelBlend* blend = nullptr);
  bool FillTriangle(const IColor* color, int x1, int y1, int x2, int y2, int x3, int y3,
                    const IChannelBlend* blend = nullptr);
  bool FillIConvexPolygon(const IColor* color, int* x, int* y, int n,
                          const IChannelBlend* blend = nullptr);
  // measure: nothing is drawn and r becomes the text's extent. False only when no font could
  // be made.
  bool DrawIText(IText* text, const char* str, IRECT* r, bool measure = false);

  // Gives the back buffer its pixels at the editor's size if it has none yet; false when it
  // cannot (before PrepDraw, or out of memory). Draw does this itself.
  bool PrepBackBuffer();
  // The back buffer (null before PrepDraw; without pixels before the first drawing) and its
  // pixels.
  LICE_SysBitmap* GetDrawBitmap() { return mDrawBitmap.get(); }
  void* GetBits();
  // The clip rectangle of the drawing pass in progress.
  const IRECT& GetDrawRECT() const { return mDrawRECT; }

 protected:
  // The control under (x, y): the captured one if any, else the topmost visible one that is
  // hit; greyed controls only with mouseOver and their mouse-over-when-greyed flag. -1: none.
  int GetMouseControlIdx(int x, int y, bool mouseOver = false);
  // A press on a bound control opens an edit gesture (the host hears begin-edit); releasing
  // the capture closes the open gesture (end-edit), so every begin gets exactly one end.
  void BeginGesture(int controlIdx);
  void EndGesture();

  IPlugBase* mPlug;
  std::vector<std::unique_ptr<IGraphicsControl>> mControls;
  std::unique_ptr<IGraphicsControl> mKeyCatcher;
  IRECT mDrawRECT;
  std::unique_ptr<LICE_SysBitmap> mDrawBitmap;
  std::unique_ptr<LICE_MemBitmap> mTmpBitmap;
  bool mCursorHidden = false;
  int mHiddenMousePointX = -1, mHiddenMousePointY = -1;
  int mWidth, mHeight, mFPS;
  int mMouseCapture = -1, mMouseOver = -1;
  int mMouseX = 0, mMouseY = 0;
  int mLastClickedParam = -1;
  int mGestureParam = -1;  // parameter of the open edit gesture, or -1
  bool mHandleMouseOver = false;
  bool mStrict = true;
  bool mEnableTooltips = false;
};
