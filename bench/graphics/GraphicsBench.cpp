// The editor's frame cycle on a 900 × 620 window-less editor with an opaque background and
// 30 knobs (60 × 60 frames of a 61-frame strip). Compare within one run:
//   RedrawAll          / OneKnobStrict / OneKnobNonStrict   (what a single turned knob costs)
//   TextWithCachedFont / TextFindingItsFont                 (the font cache lookup per call)
#include <benchmark/benchmark.h>

#include <memory>

#include "LICE_Bitmap.h"
#include "graphics/FontCache.h"
#include "graphics/IGraphicsHeadless.h"

namespace {
constexpr int kW = 900, kH = 620, kKnob = 60, kFrames = 61;

// A knob showing the frame of its value; nothing but drawing.
class Knob final : public IGraphicsControl {
 public:
  Knob(IBitmap strip, IRECT rect) : mStrip(strip), mRECT(rect) {}
  bool Draw(IGraphics* g) override {
    const int frame = 1 + static_cast<int>(mValue * (kFrames - 1) + 0.5);
    return g->DrawBitmap(&mStrip, &mRECT, frame);
  }
  void SetValueFromPlug(double v) override {
    mValue = v;
    mDirty = true;
  }
  void SetValueFromUserInput(double v) override { SetValueFromPlug(v); }
  void SetAuxParamValueFromPlug(int, double) override {}
  int AuxParamIdx(int) const override { return -1; }
  void Hide(bool) override {}
  void GrayOut(bool) override {}
  void SetClamp(double, double) override {}
  bool IsHit(int x, int y) override { return mRECT.Contains(x, y); }
  bool IsDirty() override { return mDirty; }
  void SetDirty(bool) override { mDirty = true; }
  void SetClean() override { mDirty = false; }
  void OnGUIIdle() override {}
  int ParamIdx() const override { return -1; }
  IRECT GetRECT() const override { return mRECT; }
  IRECT GetTargetRECT() const override { return mRECT; }
  double GetValue() const override { return mValue; }
  bool IsHidden() const override { return false; }
  bool IsGrayed() const override { return false; }
  bool GetMOWhenGrayed() const override { return false; }
  bool MouseDblAsSingleClick() const override { return false; }
  IText* GetText() override { return &mText; }
  int GetTextEntryLength() const override { return 0; }
  const char* GetTooltip() const override { return ""; }
  void SetTooltip(const char*) override {}

 private:
  IBitmap mStrip;
  IRECT mRECT;
  IText mText;
  double mValue = 0.0;
  bool mDirty = true;
};

void Fill(LICE_IBitmap& b, LICE_pixel seed) {
  for (int y = 0; y < b.getHeight(); ++y) {
    for (int x = 0; x < b.getWidth(); ++x) {
      b.getBits()[y * b.getRowSpan() + x] = seed ^ LICE_pixel(x * 2654435761u + y * 40503u);
    }
  }
}

struct Editor {
  LICE_MemBitmap background{kW, kH}, strip{kKnob, kKnob*kFrames};
  std::unique_ptr<IGraphicsHeadless> g;
  std::vector<Knob*> knobs;

  explicit Editor(bool strict) {
    Fill(background, 0xFF000000u);
    Fill(strip, 0x80402010u);
    g = std::make_unique<IGraphicsHeadless>(nullptr, kW, kH);
    const IColor panel(255, 20, 20, 20);
    g->AttachPanelBackground(&panel);
    for (int i = 0; i < 30; ++i) {
      const int x = 30 + (i % 10) * 85, y = 60 + (i / 10) * 180;
      auto* knob = new Knob(IBitmap(&strip, kKnob, kKnob * kFrames, kFrames),
                            IRECT(x, y, x + kKnob, y + kKnob));
      knobs.push_back(knob);
      g->AttachControl(knob);
    }
    g->SetStrictDrawing(strict);
    g->PrepDraw();
    g->Tick();
  }
};

void RedrawAll(benchmark::State& state) {
  Editor e(true);
  for (auto _ : state) {
    e.g->SetAllControlsDirty();
    benchmark::DoNotOptimize(e.g->Tick());
  }
}
BENCHMARK(RedrawAll);

void OneKnob(benchmark::State& state, bool strict) {
  Editor e(strict);
  double v = 0.0;
  for (auto _ : state) {
    v = v > 1.0 ? 0.0 : v + 0.01;
    e.knobs[13]->SetValueFromPlug(v);
    benchmark::DoNotOptimize(e.g->Tick());
  }
}
void OneKnobStrict(benchmark::State& state) { OneKnob(state, true); }
void OneKnobNonStrict(benchmark::State& state) { OneKnob(state, false); }
BENCHMARK(OneKnobStrict);
BENCHMARK(OneKnobNonStrict);

void Text(benchmark::State& state, bool keepFont) {
  IGraphicsHeadless g(nullptr, 200, 40);
  g.PrepDraw();
  IText text(14, IColor(255, 230, 230, 230), "DejaVu Sans");
  for (auto _ : state) {
    if (!keepFont) text.mCached = nullptr;
    IRECT r(0, 0, 200, 40);
    benchmark::DoNotOptimize(g.DrawIText(&text, "-12.5 dB", &r));
  }
}
void TextWithCachedFont(benchmark::State& state) { Text(state, true); }
void TextFindingItsFont(benchmark::State& state) { Text(state, false); }
BENCHMARK(TextWithCachedFont);
BENCHMARK(TextFindingItsFont);
}  // namespace
