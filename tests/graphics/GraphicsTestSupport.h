// A plug-in base that records what the editor tells the host, controls that record what the
// editor asks of them, and rasters with known pixels.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "LICE_Bitmap.h"
#include "core/IPlugBase.h"
#include "graphics/IGraphicsHeadless.h"

namespace gfxtest {
using Log = std::vector<std::string>;

enum { kGain = 0, kMode = 1, kBypass = 2, kNParams = 3 };

// Gain: double -24..24 dB; Mode: enum Soft/Medium/Hard (default Medium); Bypass: bool.
class RecordingPlug : public IPlugBase {
 public:
  explicit RecordingPlug(Log* log = nullptr)
      : IPlugBase(kNParams, "2-2", 0, "Rec", "", "Maker", 0x10000, 1, 2, 0, false, false, false, 0),
        mLog(log) {
    GetParam(kGain)->InitDouble("Gain", 0.0, -24.0, 24.0, 0.1, "dB");
    GetParam(kMode)->InitEnum("Mode", 1, 3);
    GetParam(kMode)->SetDisplayText(0, "Soft");
    GetParam(kMode)->SetDisplayText(1, "Medium");
    GetParam(kMode)->SetDisplayText(2, "Hard");
    GetParam(kBypass)->InitBool("Bypass", false);
  }
  void BeginInformHostOfParamChange(int idx) override { Record("begin " + std::to_string(idx)); }
  void InformHostOfParamChange(int idx, double) override { Record("set " + std::to_string(idx)); }
  void EndInformHostOfParamChange(int idx) override { Record("end " + std::to_string(idx)); }
  void InformHostOfProgramChange() override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 120.0; }
  void GetTimeSig(int*, int*) override {}
  void GetTime(ITimeInfo*) override {}
  // Also records whether the editor holds the plug-in's mutex while the layout is rebuilt.
  void ResizeGraphics(int w, int h) override {
    bool locked = false;
    std::thread([&] {
      locked = !GetMutex().try_lock();
      if (!locked) GetMutex().unlock();
    }).join();
    Record("resize " + std::to_string(w) + "x" + std::to_string(h) + (locked ? " under lock" : ""));
  }
  bool SendMidiMsg(IMidiMsg*) override { return false; }

 private:
  void Record(const std::string& s) {
    if (mLog) mLog->push_back(s);
  }
  Log* mLog;
};

// Records every event as "name event"; its flags are set directly by the tests.
class TestControl : public IGraphicsControl {
 public:
  TestControl(std::string name, IRECT rect, int paramIdx = -1, Log* log = nullptr)
      : name(std::move(name)), rect(rect), paramIdx(paramIdx), log(log) {}

  void SetGraphics(IGraphics* g) override { graphics = g; }
  void OnMouseDown(int x, int y, IMouseMod*) override { Record("down", x, y); }
  void OnMouseUp(int x, int y, IMouseMod*) override { Record("up", x, y); }
  void OnMouseDrag(int, int, int dX, int dY, IMouseMod*) override { Record("drag", dX, dY); }
  void OnMouseDblClick(int x, int y, IMouseMod*) override { Record("dbl", x, y); }
  void OnMouseWheel(int, int, IMouseMod*, int d) override { Record("wheel", d, 0); }
  bool OnKeyDown(int, int, int key) override {
    Record("key", key, 0);
    return takesKeys;
  }
  void OnMouseOver(int x, int y, IMouseMod*) override { Record("over", x, y); }
  void OnMouseOut() override { Record("out"); }
  bool Draw(IGraphics*) override {
    ++draws;
    if (log) log->push_back(name + " draw");
    return true;
  }
  void SetValueFromPlug(double v) override {
    value = v;
    dirty = true;
  }
  void SetValueFromUserInput(double v) override {
    value = v;
    ++userInputs;
  }
  void SetAuxParamValueFromPlug(int aux, double v) override { auxValues.emplace_back(aux, v); }
  int AuxParamIdx(int p) const override { return p == auxParam ? 0 : -1; }
  void Hide(bool h) override { hidden = h; }
  void GrayOut(bool g) override { grayed = g; }
  void SetClamp(double lo, double hi) override {
    clampLo = lo;
    clampHi = hi;
  }
  bool IsHit(int x, int y) override { return rect.Contains(x, y); }
  bool IsDirty() override { return dirty; }
  void SetDirty(bool) override { dirty = true; }
  void SetClean() override { dirty = false; }
  void OnGUIIdle() override {}
  int ParamIdx() const override { return paramIdx; }
  IRECT GetRECT() const override { return rect; }
  IRECT GetTargetRECT() const override { return rect; }
  double GetValue() const override { return value; }
  bool IsHidden() const override { return hidden; }
  bool IsGrayed() const override { return grayed; }
  bool GetMOWhenGrayed() const override { return moWhenGrayed; }
  bool MouseDblAsSingleClick() const override { return dblAsSingle; }
  IText* GetText() override { return &text; }
  int GetTextEntryLength() const override { return 7; }
  const char* GetTooltip() const override { return tooltip.c_str(); }
  void SetTooltip(const char* t) override { tooltip = t; }

  std::string name;
  IRECT rect;
  int paramIdx;
  Log* log;
  IGraphics* graphics = nullptr;
  int auxParam = -2;
  bool hidden = false, grayed = false, moWhenGrayed = false, dblAsSingle = false;
  bool dirty = false, takesKeys = true;
  int draws = 0, userInputs = 0;
  double value = 0.0, clampLo = 0.0, clampHi = 1.0;
  std::vector<std::pair<int, double>> auxValues;
  IText text;
  std::string tooltip;

 private:
  void Record(const char* what, int a = 0, int b = 0) {
    if (log) log->push_back(name + " " + what + " " + std::to_string(a) + "," + std::to_string(b));
  }
};

// A raster whose pixel (x, y) is pixel(x, y); CoordinateRaster's is (255, x, y, 7), for checking
// where a copy came from.
inline std::unique_ptr<LICE_MemBitmap> Raster(int w, int h,
                                              const std::function<LICE_pixel(int, int)>& pixel) {
  auto b = std::make_unique<LICE_MemBitmap>(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->getBits()[y * b->getRowSpan() + x] = pixel(x, y);
  return b;
}
inline std::unique_ptr<LICE_MemBitmap> CoordinateRaster(int w, int h) {
  return Raster(w, h, [](int x, int y) { return LICE_ARGB(255, x, y, 7); });
}

// A control whose drawing is a function, so a test can call primitives inside a real pass.
class DrawingControl : public TestControl {
 public:
  DrawingControl(IRECT rect, std::function<void(IGraphics*)> draw)
      : TestControl("drawing", rect), mDraw(std::move(draw)) {}
  bool Draw(IGraphics* g) override {
    mDraw(g);
    return TestControl::Draw(g);
  }

 private:
  std::function<void(IGraphics*)> mDraw;
};

// Runs draw inside a strict pass whose paint area (and so clip rectangle) is clip.
inline void DrawClipped(IGraphicsHeadless& g, IRECT clip, std::function<void(IGraphics*)> draw) {
  auto* c = new DrawingControl(IRECT(0, 0, g.Width(), g.Height()), std::move(draw));
  g.AttachControl(c);
  g.Draw(&clip);
  c->hidden = true;  // later passes skip it
}
}  // namespace gfxtest
