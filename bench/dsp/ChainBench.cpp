// Nanoseconds per stereo frame of the whole chain at 48 kHz in 512-frame blocks: the fast
// path beside the plain reference in the same run, on the kick through "Default" and
// "808 Kick", and the cost of silence after a loud hit, of a steady tone, and of denormal
// input.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "KickChain.h"
#include "KickSignal.h"
#include "ProductParams.h"
#include "reference/ReferenceChain.h"

namespace {

constexpr double kSampleRate = 48000.0;
constexpr int kBlock = 512;

struct FastChain {
  KickChain chain;
  explicit FastChain(const ProductParams& p) {
    ApplyAllParams(chain, p);
    chain.Reset(kSampleRate);
  }
  void Process(const double* l, const double* r, double* ol, double* orr, int n) {
    chain.Process(l, r, ol, orr, n, 2);
  }
};

struct PlainChain {
  ref::Chain chain;
  explicit PlainChain(const ProductParams& p) {
    for (int i = 0; i < kNumParams; ++i) {
      chain.OnParamChange(i, p.values);
    }
    chain.Reset(kSampleRate);
  }
  void Process(const double* l, const double* r, double* ol, double* orr, int n) {
    chain.Process(l, r, ol, orr, n, 2);
  }
};

// Loops over the signal in 512-frame blocks.
template <typename Chain>
void RunSignal(benchmark::State& state, const StereoSignal& in, int preset) {
  Chain chain(ProductParams::ForPreset(kFactoryPresets[preset]));
  const int frames = static_cast<int>(in.left.size());
  std::vector<double> outL(kBlock), outR(kBlock);
  int pos = 0;
  for (auto _ : state) {
    chain.Process(in.left.data() + pos, in.right.data() + pos, outL.data(), outR.data(), kBlock);
    benchmark::DoNotOptimize(outL.data());
    pos += kBlock;
    if (pos + kBlock > frames) {
      pos = 0;
    }
  }
  state.SetItemsProcessed(state.iterations() * kBlock);
  // Seconds per stereo frame (shown with an SI prefix, e.g. "25n" for 25 ns).
  state.counters["per_frame"] = benchmark::Counter(
      kBlock, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const StereoSignal& Kick() {
  static const StereoSignal kick = MakeKick(kSampleRate, 2.0);
  return kick;
}

// One loud hit followed by long silence: the tail the chain spends most of its life in.
const StereoSignal& HitThenSilence() {
  static const StereoSignal s = [] {
    StereoSignal hit = MakeKick(kSampleRate, 0.25, 1.0);
    hit.left.resize(static_cast<size_t>(kSampleRate * 4), 0.0);
    hit.right.resize(static_cast<size_t>(kSampleRate * 4), 0.0);
    return hit;
  }();
  return s;
}

const StereoSignal& SteadyTone() {
  static const StereoSignal s = [] {
    StereoSignal t;
    for (int i = 0; i < kSampleRate * 2; ++i) {
      const double v = 0.5 * std::sin(2.0 * 3.141592653589793 * 60.0 * i / kSampleRate);
      t.left.push_back(v);
      t.right.push_back(v);
    }
    return t;
  }();
  return s;
}

const StereoSignal& Denormals() {
  static const StereoSignal s = [] {
    StereoSignal d;
    for (int i = 0; i < kSampleRate; ++i) {
      const double v = (i % 7 - 3) * 1e-310;
      d.left.push_back(v);
      d.right.push_back(-v);
    }
    return d;
  }();
  return s;
}

template <typename Chain>
void BM_Kick(benchmark::State& state) {
  RunSignal<Chain>(state, Kick(), static_cast<int>(state.range(0)));
}
template <typename Chain>
void BM_SilenceAfterHit(benchmark::State& state) {
  RunSignal<Chain>(state, HitThenSilence(), 0);
}
template <typename Chain>
void BM_SteadyTone(benchmark::State& state) {
  RunSignal<Chain>(state, SteadyTone(), 0);
}
template <typename Chain>
void BM_DenormalInput(benchmark::State& state) {
  RunSignal<Chain>(state, Denormals(), 0);
}

}  // namespace

// Argument: factory preset index (0 "Default", 4 "808 Kick").
BENCHMARK_TEMPLATE(BM_Kick, FastChain)->Arg(0)->Arg(4);
BENCHMARK_TEMPLATE(BM_Kick, PlainChain)->Arg(0)->Arg(4);
BENCHMARK_TEMPLATE(BM_SilenceAfterHit, FastChain);
BENCHMARK_TEMPLATE(BM_SilenceAfterHit, PlainChain);
BENCHMARK_TEMPLATE(BM_SteadyTone, FastChain);
BENCHMARK_TEMPLATE(BM_SteadyTone, PlainChain);
BENCHMARK_TEMPLATE(BM_DenormalInput, FastChain);
BENCHMARK_TEMPLATE(BM_DenormalInput, PlainChain);
