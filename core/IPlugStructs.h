// Host-neutral MIDI and transport records.
#pragma once

#include <cstdint>

struct IMidiMsg {
  int mOffset = 0;  // sample offset in the block
  uint8_t mStatus = 0;
  uint8_t mData1 = 0;
  uint8_t mData2 = 0;
};

struct ISysEx {
  int mOffset = 0;
  int mSize = 0;
  const uint8_t* mData = nullptr;
};

struct ITimeInfo {
  double mTempo = 120.0;
  double mSamplePos = 0.0;
  double mPPQPos = 0.0;
  double mLastBar = 0.0;
  double mCycleStart = 0.0;
  double mCycleEnd = 0.0;
  int mNumerator = 4;
  int mDenominator = 4;
  bool mTransportIsRunning = false;
  bool mTransportLoopEnabled = false;
};

// Channel combination declared by the channel I/O string ("1-1 2-2").
struct ChannelIO {
  int mIn;
  int mOut;
};
