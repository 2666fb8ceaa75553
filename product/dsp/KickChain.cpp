#include "KickChain.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

struct BandSteps {
  double frequency[KickChain::kNumSteps];  // Hz
  double gain[KickChain::kNumSteps];       // dB
  double quality[KickChain::kNumSteps];
};

// Warmth and Click boost, Boxiness cuts.
constexpr BandSteps kBandSteps[KickChain::kNumBands] = {
    {{50.0, 90.0, 130.0}, {3.0, 6.0, 9.0}, {1.0, 2.0, 4.0}},
    {{180.0, 300.0, 420.0}, {-4.0, -8.0, -12.0}, {1.0, 2.0, 4.0}},
    {{1000.0, 2500.0, 4000.0}, {3.0, 6.0, 9.0}, {1.0, 2.0, 4.0}},
};

bool IsBand(int band) { return band >= 0 && band < KickChain::kNumBands; }

// The step selected by a parameter value, or -1 when its truncation is outside 0..2.
// Compared as a double first, so huge values and not-a-number never reach the conversion.
int StepOf(double value) {
  if (!(value > -1.0 && value < KickChain::kNumSteps)) {
    return -1;
  }
  return static_cast<int>(value);
}

// Non-finite samples enter as 0, denormal ones as a zero of their sign; all others (the
// exponent field neither all clear nor all set) as they are.
double SanitizedInput(double x) {
  const std::uint64_t exponent = std::bit_cast<std::uint64_t>(x) & 0x7ff0000000000000u;
  if (__builtin_expect(exponent - 0x0010000000000000u < 0x7fe0000000000000u, 1)) {
    return x;
  }
  return exponent == 0 ? std::copysign(0.0, x) : 0.0;
}

}  // namespace

double KickChain::StepSetting(int band, StepKind kind, int step) {
  if (!IsBand(band) || step < 0 || step >= kNumSteps) return 0.0;
  const BandSteps& steps = kBandSteps[band];
  switch (kind) {
    case kFrequencyStep:
      return steps.frequency[step];
    case kGainStep:
      return steps.gain[step];
    case kQualityStep:
      return steps.quality[step];
  }
  return 0.0;
}

void KickChain::Reset(double sampleRate) {
  for (FilterPeakStereo& band : mBands) {
    band.SetSampleRate(sampleRate);
  }
  mCompressor.SetSampleRate(sampleRate);
  mLimiter.SetSampleRate(sampleRate);
  mGainReductionMeter.SetSampleRate(sampleRate);
  mOutputMeter.SetSampleRate(sampleRate);
}

bool KickChain::SetBandBypass(int band, double value) {
  if (!IsBand(band)) {
    return false;
  }
  const bool bypass = value <= -1.0 || value >= 1.0;  // truncation is not 0
  mBands[band].SetBypass(bypass);
  return bypass;
}

void KickChain::SetBandFrequency(int band, double value) {
  const int step = StepOf(value);
  if (IsBand(band) && step >= 0) {
    mBands[band].SetFrequency(kBandSteps[band].frequency[step]);
  }
}

void KickChain::SetBandGain(int band, double value) {
  const int step = StepOf(value);
  if (IsBand(band) && step >= 0) {
    mBands[band].SetGain(kBandSteps[band].gain[step]);
  }
}

void KickChain::SetBandQuality(int band, double value) {
  const int step = StepOf(value);
  if (IsBand(band) && step >= 0) {
    mBands[band].SetQ(kBandSteps[band].quality[step]);
  }
}

void KickChain::SetCompressorParams(int fromParam, double ratio, double thresholdDepth,
                                    double attackMs, double releaseMs, double makeupDb) {
  switch (fromParam) {
    case kRatioParam:
      mCompressor.SetRatio(ratio);
      [[fallthrough]];
    case kThresholdParam:
      mCompressor.SetThreshold(-thresholdDepth);
      [[fallthrough]];
    case kAttackParam:
      mCompressor.SetAttack(attackMs);
      [[fallthrough]];
    case kReleaseParam:
      mCompressor.SetRelease(releaseMs);
      [[fallthrough]];
    case kMakeupParam:
      mCompressor.SetMakeupGain(makeupDb);
      break;
    default:
      break;
  }
}

void KickChain::Process(const double* inL, const double* inR, double* outL, double* outR,
                        int nFrames, int detectionMode) {
  // Chunks of a scratch block of interleaved pairs: every input frame of a chunk is read
  // before any output frame of it is written, so inputs and outputs may alias in any way,
  // as in a frame-by-frame run.
  double frames[2 * kChunkFrames];
  for (int start = 0; start < nFrames; start += kChunkFrames) {
    const int n = std::min(kChunkFrames, nFrames - start);
    for (int i = 0; i < n; ++i) {
      frames[2 * i] = SanitizedInput(inL[start + i]);
      frames[2 * i + 1] = SanitizedInput(inR[start + i]);
    }
    // Each band over the whole chunk, then the next: a band's output at a frame depends only
    // on earlier frames, so this gives the same samples as running the bands frame by frame.
    for (FilterPeakStereo& band : mBands) {
      band.ProcessBlock(frames, n);
    }
    ProcessDynamics(frames, outL + start, outR + start, n, detectionMode);
  }
  ClearNonFiniteStates();
}

void KickChain::ProcessDynamics(double* frames, double* outL, double* outR, int n,
                                int detectionMode) {
  // Local copies keep the states out of reach of the output stores; the meters stay in
  // place for the drawing thread.
  Compressor compressor = mCompressor;
  LimiterStereo limiter = mLimiter;
  const bool idle = compressor.ProcessIfIdle(frames, n, detectionMode);
  if (idle) {
    mGainReductionMeter.SetGainChangeRepeatedly(compressor.GetGainChange(), n);
  }
  for (int i = 0; i < n; ++i) {
    double l = frames[2 * i];
    double r = frames[2 * i + 1];
    if (!idle) {
      compressor.Process(l, r, detectionMode);
      mGainReductionMeter.SetLevel(true, compressor.GetGainChange());
    }
    limiter.Process(l, r);
    mOutputMeter.SetLevel(false, std::max(std::fabs(r), std::fabs(l)));
    outL[i] = l;
    outR[i] = r;
  }
  mCompressor = compressor;
  mLimiter = limiter;
}

void KickChain::ClearNonFiniteStates() {
  for (FilterPeakStereo& band : mBands) {
    band.ClearNonFiniteMemory();
  }
  mCompressor.ClearNonFiniteState();
  mLimiter.ClearNonFiniteState();
  mGainReductionMeter.ClearNonFiniteState();
  mOutputMeter.ClearNonFiniteState();
}

bool KickChain::ApplyParam(int idx, const double* values) {
  if (idx >= 0 && idx < kNumBands) return SetBandBypass(idx, values[idx]);
  if (idx >= kNumBands && idx < kNumBands + 3 * kNumBands) {
    const int band = (idx - kNumBands) / 3;
    switch ((idx - kNumBands) % 3) {
      case 0:
        SetBandFrequency(band, values[idx]);
        break;
      case 1:
        SetBandGain(band, values[idx]);
        break;
      default:
        SetBandQuality(band, values[idx]);
        break;
    }
  } else if (idx >= kRatioParam && idx <= kMakeupParam) {
    SetCompressorParams(idx, values[kRatioParam], values[kThresholdParam], values[kAttackParam],
                        values[kReleaseParam], values[kMakeupParam]);
  }
  return false;
}
