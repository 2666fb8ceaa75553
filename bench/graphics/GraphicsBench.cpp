// The editor's drawing cost on the product's layout: 23 controls with strips of the product's
// sizes, generated here. Each figure has its reference in the same run: a full redraw against
// a memcpy of the back buffer, a frame where only the two meters moved against the full
// redraw, and the per-control cost of asking whether anything is dirty.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "controls/ControlKnobHover.h"
#include "controls/ControlPeakMeter.h"
#include "controls/ControlSwitches.h"
#include "core/IPlugBase.h"
#include "graphics/IGraphicsHeadless.h"
#include "raster/LICE_Bitmap.h"

namespace {

constexpr int kW = 900, kH = 620;

class BenchPlug : public IPlugBase {
 public:
  BenchPlug()
      : IPlugBase(17, "2-2", 0, "Bench", "", "Bench", 0x10000, 1, 2, 0, false, false, false, 0) {
    for (int i = 0; i < NParams(); ++i) GetParam(i)->InitDouble("p", 0.0, 0.0, 1.0, 0.01);
  }
  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int, double) override {}
  void EndInformHostOfParamChange(int) override {}
  void InformHostOfProgramChange() override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int*, int*) override {}
  void GetTime(ITimeInfo*) override {}
  void ResizeGraphics(int, int) override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
};

class LevelSource : public IMeterSource {
 public:
  double GetDisplayedLevel() const override { return mLevel.load(std::memory_order_relaxed); }
  void ResetHeldPeak() override {}
  std::atomic<double> mLevel{IMeterSource::kMinimumDb};
};

// A strip of n frames of w × h: textured, opaque where round (a knob) or everywhere.
IBitmap MakeStrip(std::vector<std::unique_ptr<LICE_MemBitmap>>& keep, int w, int h, int n,
                  bool round) {
  auto* bmp = new LICE_MemBitmap(w, h * n);
  keep.emplace_back(bmp);
  LICE_pixel* bits = bmp->getBits();
  const int span = bmp->getRowSpan();
  for (int y = 0; y < h * n; ++y) {
    for (int x = 0; x < w; ++x) {
      const int fy = y % h;
      const int dx = 2 * x - w, dy = 2 * fy - h;
      const bool inside = !round || dx * dx + dy * dy < w * w;
      bits[y * span + x] = LICE_ARGB(inside ? 255 : 0, (x * 7 + y) & 255, (y * 3) & 255, 90);
    }
  }
  return IBitmap(bmp, w, h * n, n);
}

struct ProductLayout {
  ProductLayout() : editor(new IGraphicsHeadless(&plug, kW, kH)) {
    IBitmap background = MakeStrip(keep, kW, kH, 1, false);
    IBitmap bypass = MakeStrip(keep, 60, 30, 2, false);
    IBitmap selector = MakeStrip(keep, 140, 56, 3, false);
    IBitmap quality = MakeStrip(keep, 240, 16, 3, false);
    IBitmap icon = MakeStrip(keep, 40, 40, 1, true);
    IBitmap knob = MakeStrip(keep, 75, 75, 101, true);
    IBitmap meter = MakeStrip(keep, 700, 14, 101, false);
    editor->AttachControl(new IBitmapControl(&plug, 0, 0, &background));
    for (int band = 0; band < 3; ++band) {
      const int x = 20 + band * 290;
      editor->AttachControl(new ISwitchControl(&plug, x, 20, band, &bypass));
      editor->AttachControl(new ControlKnob(&plug, x, 70, 3 + band * 3, &selector));
      editor->AttachControl(new ControlKnob(&plug, x, 140, 4 + band * 3, &selector));
      editor->AttachControl(new ControlQSwitch(&plug, x, 210, 5 + band * 3, &quality));
      editor->AttachControl(new IBitmapControl(&plug, x + 245, 200, &icon));
    }
    for (int k = 0; k < 5; ++k) {
      editor->AttachControl(new ControlKnobHover(
          &plug, IRECT(40 + k * 160, 260, 115 + k * 160, 367), 12 + k, &knob, 32, k == 1));
    }
    editor->AttachControl(new ControlPeakMeter(&plug, IRECT(100, 540, 800, 554), &meter, &gain));
    editor->AttachControl(new ControlPeakMeter(&plug, IRECT(100, 570, 800, 584), &meter, &output));
    plug.AttachGraphics(editor);
    editor->Tick();
  }

  std::vector<std::unique_ptr<LICE_MemBitmap>> keep;  // outlives the plug-in and its editor
  LevelSource gain, output;
  BenchPlug plug;
  IGraphicsHeadless* editor;  // owned by the plug-in
};

void BM_FullRedraw(benchmark::State& state) {
  ProductLayout layout;
  for (auto _ : state) {
    layout.editor->SetAllControlsDirty();
    benchmark::DoNotOptimize(layout.editor->Tick());
  }
}
BENCHMARK(BM_FullRedraw);

void BM_MemcpyBackBuffer(benchmark::State& state) {
  std::vector<LICE_pixel> from(kW * kH, 0x12345678), to(kW * kH);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), to.size() * sizeof(LICE_pixel));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyBackBuffer);

void BM_MetersOnly(benchmark::State& state) {
  ProductLayout layout;
  double level = -30.0;
  for (auto _ : state) {
    level = level == -30.0 ? -10.0 : -30.0;
    layout.gain.mLevel.store(level);
    layout.output.mLevel.store(level + 5.0);
    benchmark::DoNotOptimize(layout.editor->Tick());
  }
}
BENCHMARK(BM_MetersOnly);

// Items are controls: the time per item is the cost of one control's dirty check.
void BM_IsDirtyNothingDirty(benchmark::State& state) {
  ProductLayout layout;
  for (auto _ : state) {
    IRECT r;
    benchmark::DoNotOptimize(layout.editor->IsDirty(&r));
  }
  state.SetItemsProcessed(state.iterations() * layout.editor->NControls());
}
BENCHMARK(BM_IsDirtyNothingDirty);

}  // namespace
