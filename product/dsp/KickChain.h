#pragma once
// KickChain: the product's whole signal path as one value. Three bell bands in series
// ("Warmth", "Boxiness", "Click"), the stereo-linked compressor, the 0 dBFS limiter, and the
// two meter ballistics it feeds once per frame (gain reduction and output).
//
// The product (Tundrax) embeds one and calls:
// - Reset(sampleRate) from its reset handler (host sets rate or block size, switches off);
// - the band and compressor setters from its parameter handler, translating parameter
//   indices: bypass 0..2 -> SetBandBypass; 3..11 -> SetBandFrequency / SetBandGain /
//   SetBandQuality of band (idx - 3) / 3; 12..16 -> SetCompressorParams(idx, ...);
// - Process from ProcessDoubleReplacing on the audio thread.
// All of these run under the plug-in lock; the chain has none of its own. The meters are
// the exception: the editor's drawing thread may read them and reset their held peaks at any
// time (see MeterBallistics).
//
// Nothing here allocates, locks, logs or fails.

#include "Compressor.h"
#include "FilterPeakStereo.h"
#include "LimiterStereo.h"
#include "MeterBallistics.h"

class KickChain {
 public:
  enum Band { kWarmth = 0, kBoxiness = 1, kClick = 2, kNumBands = 3 };
  // The product's compressor parameter indices, in the order of the re-apply cascade.
  enum CompressorParam {
    kRatioParam = 12,
    kThresholdParam = 13,
    kAttackParam = 14,
    kReleaseParam = 15,
    kMakeupParam = 16,
  };
  static constexpr int kNumSteps = 3;
  enum StepKind { kFrequencyStep = 0, kGainStep = 1, kQualityStep = 2 };

  // The setting step 0..2 of a band selects: frequency in Hz, gain in dB or quality. 0 for a
  // band or step out of range.
  static double StepSetting(int band, StepKind kind, int step);

  // Rate into warmth, boxiness, click (each clears its memory and recomputes), compressor
  // (make-up fades in again from 0), limiter, gain-reduction meter, output meter, in that
  // order. Compressor envelope and limiter states persist.
  void Reset(double sampleRate);

  // The parameter's real value as the product holds it; the integer value is its truncation
  // toward zero. Bypass is on for a non-zero integer value; returns the bypass now in force,
  // for greying the band's controls. Bands outside 0..2 are ignored (and return false).
  bool SetBandBypass(int band, double value);
  // Step value 0, 1 or 2 selects from the band's step table; any other integer value (and a
  // band outside 0..2) changes nothing.
  void SetBandFrequency(int band, double value);
  void SetBandGain(int band, double value);
  void SetBandQuality(int band, double value);

  // Re-applies the compressor settings from parameter fromParam on in index order: ratio,
  // threshold (the negative of the depth, so depth 0..48 means 0..-48 dBFS), attack (ms),
  // release (ms), make-up gain (dB). An index outside 12..16 changes nothing.
  void SetCompressorParams(int fromParam, double ratio, double thresholdDepth, double attackMs,
                           double releaseMs, double makeupDb);

  // The product's parameter handler for parameter idx (0..16), given the real values of all
  // seventeen: bypasses 0..2, band steps 3..11 (frequency, gain, quality of each band in
  // turn), compressor 12..16 with its cascade. Returns the band's bypass for 0..2 (for greying
  // its controls), false otherwise. Other indices change nothing.
  bool ApplyParam(int idx, const double* values);

  // Runs nFrames stereo frames: bands, compressor (detectionMode: 2 = mean of both channels,
  // 1 = left only), limiter, gain-reduction meter fed the gain change, output meter fed
  // max(|R|, |L|) after the limiter, then the output. Inputs and outputs may overlap in any
  // way (in place, or even one output for both channels, which then holds the right
  // channel). Nothing for nFrames ≤ 0.
  //
  // Faults in the input never leave the chain stuck:
  // - A sample that is infinite or not a number enters as 0.0, so the output is exactly what
  //   silence at that place would give.
  // - A denormal sample enters as a zero of its sign: it is inaudible, and on many processors
  //   arithmetic on denormals is very slow. This can only change a result that is itself
  //   denormal (all bands bypassed); the bands flush smaller states anyway.
  // - Finite samples near the largest double can overflow inside a band or the detector;
  //   after each block any state that became infinite or not a number is restarted, so the
  //   next block is normal again. The limiter's clamp keeps even such a block within ±1.
  void Process(const double* inL, const double* inR, double* outL, double* outR, int nFrames,
               int detectionMode);

  const FilterPeakStereo& GetBand(int band) const { return mBands[band]; }
  const Compressor& GetCompressor() const { return mCompressor; }
  const LimiterStereo& GetLimiter() const { return mLimiter; }
  MeterBallistics& GetGainReductionMeter() { return mGainReductionMeter; }
  MeterBallistics& GetOutputMeter() { return mOutputMeter; }
  const MeterBallistics& GetGainReductionMeter() const { return mGainReductionMeter; }
  const MeterBallistics& GetOutputMeter() const { return mOutputMeter; }

 private:
  static constexpr int kChunkFrames = 64;

  // Compressor, limiter and meters over n filtered interleaved pairs, writing the output.
  void ProcessDynamics(double* frames, double* outL, double* outR, int n, int detectionMode);
  void ClearNonFiniteStates();

  FilterPeakStereo mBands[kNumBands];
  Compressor mCompressor;
  LimiterStereo mLimiter;
  MeterBallistics mGainReductionMeter;
  MeterBallistics mOutputMeter;
};
