#pragma once
// A KickChain and the plain reference driven side by side through the same parameter
// changes, resets, redraws and blocks, with a bit-for-bit comparison of every block's output
// and of the meters.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KickChain.h"
#include "ProductParams.h"
#include "reference/ReferenceChain.h"

struct ChainPair {
  KickChain fast;
  ref::Chain reference;
  ProductParams params;

  void SetParam(int idx, double value) {
    params.values[idx] = value;
    ApplyParam(fast, idx, params.values);
    reference.OnParamChange(idx, params.values);
  }
  void SetAll(const ProductParams& p) {
    params = p;
    for (int i = 0; i < kNumParams; ++i) {
      ApplyParam(fast, i, params.values);
      reference.OnParamChange(i, params.values);
    }
  }
  void Reset(double fs) {
    fast.Reset(fs);
    reference.Reset(fs);
  }
  void Redraw() {
    fast.GetGainReductionMeter().ResetHeldPeak();
    fast.GetOutputMeter().ResetHeldPeak();
    reference.grMeter.Drawn();
    reference.outMeter.Drawn();
  }

  // Processes one block through both; returns true when every output double and the meter
  // values are the same bits.
  bool ProcessAndCompare(const double* l, const double* r, int n, int mode = 2) {
    std::vector<double> fl(n), fr(n), rl(n), rr(n);
    fast.Process(l, r, fl.data(), fr.data(), n, mode);
    reference.Process(l, r, rl.data(), rr.data(), n, mode);
    const size_t bytes = sizeof(double) * n;
    return std::memcmp(fl.data(), rl.data(), bytes) == 0 &&
           std::memcmp(fr.data(), rr.data(), bytes) == 0 &&
           Same(fast.GetGainReductionMeter().GetDisplayedLevel(), reference.grMeter.displayed) &&
           Same(fast.GetGainReductionMeter().GetHeldPeak(), reference.grMeter.held) &&
           Same(fast.GetOutputMeter().GetDisplayedLevel(), reference.outMeter.displayed) &&
           Same(fast.GetOutputMeter().GetHeldPeak(), reference.outMeter.held) &&
           Same(fast.GetCompressor().GetGainChange(), reference.compressor.gainChange);
  }

  static bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};
