// The editor's value types: rectangles, colours, blends, bitmap handles, text styles and mouse
// modifiers. Plain values, copied freely; none of them owns anything.
#pragma once

#include <cstdint>

#include "LICE_Types.h"

class LICE_IBitmap;
class LICE_IFont;

// Integer rectangle in editor pixels, y down. R and B are exclusive (W = R - L, H = B - T).
struct IRECT {
  int L = 0, T = 0, R = 0, B = 0;

  IRECT() = default;
  IRECT(int l, int t, int r, int b) : L(l), T(t), R(r), B(b) {}

  int W() const { return R - L; }
  int H() const { return B - T; }
  float MW() const { return 0.5f * static_cast<float>(L + R); }
  float MH() const { return 0.5f * static_cast<float>(T + B); }

  // Only the all-zero rectangle is empty; (5, 5, 5, 5) is not.
  bool Empty() const { return L == 0 && T == 0 && R == 0 && B == 0; }
  // Touching on this rectangle's right or bottom edge counts as overlap.
  bool Intersects(const IRECT& o) const {
    return !Empty() && !o.Empty() && R >= o.L && L < o.R && B >= o.T && T < o.B;
  }
  // The overlap, or the all-zero rectangle when they do not intersect.
  IRECT Intersect(const IRECT& o) const;
  IRECT Union(const IRECT& o) const;
  // Left and top edges belong to the rectangle, right and bottom edges do not.
  bool Contains(int x, int y) const { return !Empty() && x >= L && x < R && y >= T && y < B; }

  bool operator==(const IRECT&) const = default;
};

struct IColor {
  int A = 255, R = 0, G = 0, B = 0;

  IColor() = default;
  IColor(int a, int r, int g, int b) : A(a), R(r), G(g), B(b) {}

  LICE_pixel ToPixel() const { return LICE_ARGB(A, R, G, B); }
  static IColor FromPixel(LICE_pixel p) {
    return IColor(LICE_GETA(p), LICE_GETR(p), LICE_GETG(p), LICE_GETB(p));
  }
  bool operator==(const IColor&) const = default;
};

extern const IColor COLOR_BLACK, COLOR_GRAY, COLOR_WHITE, COLOR_RED, COLOR_GREEN, COLOR_BLUE,
    COLOR_YELLOW, COLOR_ORANGE;

enum EBlendMethod { kBlendNone = 0, kBlendClobber = 1, kBlendAdd = 2, kBlendColorDodge = 3 };

struct IChannelBlend {
  int mMethod = kBlendNone;
  float mWeight = 1.0f;

  IChannelBlend() = default;
  explicit IChannelBlend(int method, float weight = 1.0f) : mMethod(method), mWeight(weight) {}
};

// The raster weight and mode word of an optional blend: no blend draws at 1.0 with source
// alpha; kBlendClobber copies without alpha; kBlendAdd and kBlendColorDodge use source alpha;
// any other method copies with source alpha at the blend's weight.
float LICE_BlendWeight(const IChannelBlend* blend);
int LICE_BlendMode(const IChannelBlend* blend);

// A handle to a cached raster: W × H pixels holding N frames, stacked vertically unless
// mFramesAreHorizontal. mData is null when the image could not be loaded; every primitive then
// draws nothing. The raster belongs to the process-wide bitmap cache, never to the handle.
struct IBitmap {
  LICE_IBitmap* mData = nullptr;
  int W = 0, H = 0, N = 1;
  bool mFramesAreHorizontal = false;

  IBitmap() = default;
  IBitmap(LICE_IBitmap* data, int w, int h, int n = 1, bool framesAreHorizontal = false)
      : mData(data), W(w), H(h), N(n < 1 ? 1 : n), mFramesAreHorizontal(framesAreHorizontal) {}

  // One frame's size.
  int FrameW() const { return mFramesAreHorizontal ? W / N : W; }
  int FrameH() const { return mFramesAreHorizontal ? H : H / N; }
};

struct IText {
  enum EStyle { kStyleNormal = 0, kStyleBold = 1, kStyleItalic = 2 };
  enum EAlign { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };
  enum EQuality {
    kQualityDefault = 0,
    kQualityNonAntiAliased,
    kQualityAntiAliased,
    kQualityClearType
  };

  char mFont[32] = "Monaco";
  int mSize = 10;
  IColor mColor = IColor(255, 0, 0, 0);
  IColor mTextEntryBGColor = IColor(255, 255, 255, 255);
  IColor mTextEntryFGColor = IColor(255, 0, 0, 0);
  int mStyle = kStyleNormal;
  int mAlign = kAlignCenter;
  int mOrientation = 0;  // degrees counter-clockwise
  int mQuality = kQualityDefault;
  // Filled lazily by the font cache on the editor thread; never owned.
  LICE_IFont* mCached = nullptr;

  IText() = default;
  // face null keeps "Monaco" (which falls back to a monospace face where it is missing).
  IText(int size, const IColor& color, const char* face = nullptr, int style = kStyleNormal,
        int align = kAlignCenter, int orientation = 0, int quality = kQualityDefault);
};

// Buttons and keys of a mouse event. R is the right button, or a left click with the key that
// stands for the Command key on this platform.
struct IMouseMod {
  bool L = false, R = false, S = false, C = false, A = false;

  IMouseMod() = default;
  IMouseMod(bool l, bool r, bool s = false, bool c = false, bool a = false)
      : L(l), R(r), S(s), C(c), A(a) {}
};

// Key codes handed to OnKeyDown.
enum EKeyCode {
  KEY_SPACE = 0,
  KEY_UPARROW = 1,
  KEY_DOWNARROW = 2,
  KEY_LEFTARROW = 3,
  KEY_RIGHTARROW = 4,
  KEY_DIGIT_0 = 5,   // .. KEY_DIGIT_0 + 9
  KEY_ALPHA_A = 15,  // .. KEY_ALPHA_A + 25, either case
};
