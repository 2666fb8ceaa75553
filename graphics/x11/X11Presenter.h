// Copies rectangles of a 32-bit raster (LICE pixels: bytes A, R, G, B) into an X window,
// optionally doubled (each pixel a 2 × 2 block). The window-sized image lives in a MIT-SHM
// segment when the server offers the extension and a probe attach succeeds (checked under an
// error trap: remote servers and sandboxed hosts refuse it); otherwise in ordinary memory sent
// with XPutImage. Either way only the rectangles asked for are converted and sent.
//
// Threads: the editor thread that owns the connection. Every call but the constructor must run
// inside an X11ErrorTrap, which synchronises with the server when it closes: that is also what
// keeps the shared image from being rewritten while the server still reads it.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include "graphics/IGraphicsStructs.h"

class LICE_IBitmap;

class X11Presenter {
 public:
  // width and height in window pixels (editor size times scale).
  X11Presenter(Display* display, Window window, Visual* visual, int depth, int width, int height,
               int scale, bool allowShm);
  ~X11Presenter();
  X11Presenter(const X11Presenter&) = delete;
  X11Presenter& operator=(const X11Presenter&) = delete;

  bool Valid() const { return mImage != nullptr; }
  bool UsesShm() const { return mShmAttached; }

  // Converts the part r (in source pixels) of src into the image, scaled.
  void Convert(LICE_IBitmap* src, IRECT r, int srcOffsetX = 0, int srcOffsetY = 0);
  // Sends the part r (in source pixels, scaled here) of the image to the window.
  void Send(IRECT r);

 private:
  void MakeShmImage(Visual* visual, int depth);
  void MakePlainImage(Visual* visual, int depth);

  Display* mDisplay;
  Window mWindow;
  GC mGC = nullptr;
  XImage* mImage = nullptr;
  XShmSegmentInfo mShm{};
  bool mShmAttached = false;
  int mWidth, mHeight, mScale;
  int mShiftR = 16, mShiftG = 8, mShiftB = 0;
};
