#include "IPlugBase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "TextUtil.h"
#include "core/IPlugEditor.h"

namespace {

// Parses "1-1 2-2": tokens of input count, hyphen, output count, separated by single spaces.
// A missing number counts as 0.
std::vector<ChannelIO> ParseChannelIO(const char* text) {
  std::vector<ChannelIO> result;
  for (const char* cursor = text; cursor;) {
    int in = 0, out = 0;
    sscanf(cursor, "%d-%d", &in, &out);
    result.push_back({in, out});
    cursor = strchr(cursor, ' ');
    if (cursor) ++cursor;
  }
  return result;
}

}  // namespace

IPlugBase::IPlugBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
                     int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks,
                     bool plugIsInst, int plugAPI)
    : mLatency(latency),
      mUniqueID(uniqueID),
      mMfrID(mfrID),
      mVersion(vendorVersion),
      mAPI(plugAPI),
      mStateChunks(plugDoesChunks),
      mIsInst(plugIsInst),
      mDoesMidi(plugDoesMidi) {
  for (int i = 0; i < nParams; ++i) mParams.push_back(std::make_unique<IParam>());
  mPresets.resize(static_cast<size_t>(std::max(0, nPresets)));
  CopyText(mEffectName, effectName, sizeof mEffectName);
  CopyText(mProductName, productName, sizeof mProductName);
  CopyText(mMfrName, mfrName, sizeof mMfrName);

  mChannelIO = ParseChannelIO(channelIOStr);
  int nInputs = 0, nOutputs = 0;
  for (const ChannelIO& io : mChannelIO) {
    nInputs = std::max(nInputs, io.mIn);
    nOutputs = std::max(nOutputs, io.mOut);
  }
  mInData.assign(static_cast<size_t>(nInputs), nullptr);
  mOutData.assign(static_cast<size_t>(nOutputs), nullptr);
  mInChannels.resize(mInData.size());
  mOutChannels.resize(mOutData.size());
  for (size_t i = 0; i < mInData.size(); ++i) mInChannels[i].mSrc = &mInData[i];
  for (size_t i = 0; i < mOutData.size(); ++i) mOutChannels[i].mDest = &mOutData[i];
}

IPlugBase::~IPlugBase() { delete mGraphics; }

void IPlugBase::Reset() { std::lock_guard lock(mMutex); }

void IPlugBase::OnParamChange(int) { std::lock_guard lock(mMutex); }

void IPlugBase::OnActivate(bool) { std::lock_guard lock(mMutex); }

namespace {

// Input i to output i; outputs without an input get silence.
template <typename Sample>
void PassThrough(Sample** inputs, Sample** outputs, int nIn, int nOut, int nFrames) {
  for (int i = 0; i < nOut; ++i) {
    if (i < nIn) {
      memmove(outputs[i], inputs[i], sizeof(Sample) * static_cast<size_t>(nFrames));
    } else {
      std::fill_n(outputs[i], nFrames, Sample{0});
    }
  }
}

}  // namespace

void IPlugBase::ProcessDoubleReplacing(double** inputs, double** outputs, int nFrames) {
  PassThrough(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}

void IPlugBase::ProcessSingleReplacing(float** inputs, float** outputs, int nFrames) {
  PassThrough(inputs, outputs, NInChannels(), NOutChannels(), nFrames);
}

bool IPlugBase::MidiNoteName(int, char* name) {
  if (name) *name = '\0';
  return false;
}

bool IPlugBase::CompareState(const double* data, int startPos) {
  for (int i = 0; i < NParams(); ++i) {
    const float current = static_cast<float>(GetParam(i)->Value());
    const float stored = static_cast<float>(data[startPos + i]);
    if (std::fabs(current - stored) >= 1e-5f) return false;
  }
  return true;
}

void IPlugBase::SetParameterFromGUI(int idx, double normalizedValue) {
  std::lock_guard lock(mMutex);
  if (idx < 0 || idx >= NParams()) return;
  GetParam(idx)->SetNormalized(normalizedValue);
  InformHostOfParamChange(idx, normalizedValue);
  OnParamChange(idx);
}

void IPlugBase::NotifyHost(const HostNotification& notification) {
  if (mGraphics && mGraphics->DeferHostNotification(notification)) return;
  SendHostNotification(notification);
}

void IPlugBase::AttachGraphics(IPlugEditor* graphics) {
  if (!graphics) return;
  std::lock_guard lock(mMutex);
  for (int i = 0; i < NParams(); ++i) {
    graphics->SetParameterFromPlug(i, GetParam(i)->GetNormalized(), true);
  }
  graphics->PrepDraw();
  if (mGraphics != graphics) delete mGraphics;
  mGraphics = graphics;
}

void IPlugBase::RedrawParamControls() {
  if (!mGraphics) return;
  for (int i = 0; i < NParams(); ++i) {
    mGraphics->SetParameterFromPlug(i, GetParam(i)->Value(), false);
  }
}

void IPlugBase::SetBlockSize(int blockSize) {
  if (blockSize == mBlockSize) return;
  const size_t size = static_cast<size_t>(std::max(0, blockSize));
  for (InChannel& ch : mInChannels) ch.mScratch.assign(size, 0.0);
  for (OutChannel& ch : mOutChannels) ch.mScratch.assign(size, 0.0);
  mBlockSize = blockSize;
  // The scratch buffers moved: no slot may keep pointing at the old ones. Disconnected channels
  // read and write the new buffers from now on; connected ones are attached anew per call.
  for (InChannel& ch : mInChannels) *ch.mSrc = ch.mScratch.empty() ? nullptr : ch.mScratch.data();
  for (OutChannel& ch : mOutChannels) {
    *ch.mDest = ch.mScratch.empty() ? nullptr : ch.mScratch.data();
  }
}

void IPlugBase::OnParamReset() {
  for (int i = 0; i < NParams(); ++i) OnParamChange(i);
}

// --- Versions and host --------------------------------------------------------------------------

namespace {

int PackedToDecimal(int packed) {
  return ((packed >> 16) & 0xFFFF) * 10000 + ((packed >> 8) & 0xFF) * 100 + (packed & 0xFF);
}

void PackedToText(int packed, char* out) {
  snprintf(out, 32, "v%d.%d.%d", (packed >> 16) & 0xFFFF, (packed >> 8) & 0xFF, packed & 0xFF);
}

}  // namespace

int IPlugBase::GetEffectVersion(bool decimal) const {
  return decimal ? PackedToDecimal(mVersion) : mVersion;
}

void IPlugBase::GetEffectVersionStr(char* out) const { PackedToText(mVersion, out); }

int IPlugBase::GetHostVersion(bool decimal) {
  GetHost();
  return decimal ? PackedToDecimal(mHostVersion) : mHostVersion;
}

void IPlugBase::GetHostVersionStr(char* out) {
  GetHost();
  PackedToText(mHostVersion, out);
}

void IPlugBase::SetHost(const char* hostName, int version) {
  mHost = LookUpHost(hostName);
  mHostVersion = version;
}

// --- Channels -----------------------------------------------------------------------------------

bool IPlugBase::LegalIO(int nIn, int nOut) const {
  for (const ChannelIO& io : mChannelIO) {
    if (nIn >= 0 && nOut >= 0) {
      if (io.mIn == nIn && io.mOut == nOut) return true;
    } else if (nIn < 0) {
      if (nOut < 0 || io.mOut == nOut) return true;
    } else if (io.mIn == nIn) {
      return true;
    }
  }
  return false;
}

void IPlugBase::SetInputChannelConnections(int idx, int n, bool connected) {
  const int end = std::min(idx + n, NInChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    InChannel& ch = mInChannels[i];
    ch.mConnected = connected;
    if (!connected) {
      // Whatever a connected channel left in the scratch buffer must not be heard.
      std::fill(ch.mScratch.begin(), ch.mScratch.end(), 0.0);
      *ch.mSrc = ch.mScratch.empty() ? nullptr : ch.mScratch.data();
    }
  }
}

void IPlugBase::SetOutputChannelConnections(int idx, int n, bool connected) {
  const int end = std::min(idx + n, NOutChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    OutChannel& ch = mOutChannels[i];
    ch.mConnected = connected;
    if (!connected) *ch.mDest = ch.mScratch.empty() ? nullptr : ch.mScratch.data();
  }
}

void IPlugBase::LimitToStereoIO() {
  if (NInChannels() > 2) SetInputChannelConnections(2, NInChannels() - 2, false);
  if (NOutChannels() > 2) SetOutputChannelConnections(2, NOutChannels() - 2, true);
}

bool IPlugBase::IsInChannelConnected(int idx) const {
  return idx >= 0 && idx < NInChannels() && mInChannels[idx].mConnected;
}

bool IPlugBase::IsOutChannelConnected(int idx) const {
  return idx >= 0 && idx < NOutChannels() && mOutChannels[idx].mConnected;
}

// --- Buffers and processing ---------------------------------------------------------------------

void IPlugBase::AttachInputBuffers(int idx, int n, double** pp, int nFrames) {
  const int end = std::min(idx + n, NInChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    InChannel& ch = mInChannels[i];
    if (!ch.mConnected) continue;
    double* host = *pp++;
    if (!host) {
      std::fill_n(ch.mScratch.begin(), std::max(0, nFrames), 0.0);
      host = ch.mScratch.data();
    }
    *ch.mSrc = host;
  }
}

void IPlugBase::AttachInputBuffers(int idx, int n, float** pp, int nFrames) {
  const int end = std::min(idx + n, NInChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    InChannel& ch = mInChannels[i];
    if (!ch.mConnected) continue;
    const float* host = *pp++;
    if (host) {
      std::copy_n(host, std::max(0, nFrames), ch.mScratch.begin());
    } else {
      std::fill_n(ch.mScratch.begin(), std::max(0, nFrames), 0.0);
    }
    *ch.mSrc = ch.mScratch.data();
  }
}

void IPlugBase::AttachOutputBuffers(int idx, int n, double** pp) {
  const int end = std::min(idx + n, NOutChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    OutChannel& ch = mOutChannels[i];
    if (!ch.mConnected) continue;
    double* host = *pp++;
    *ch.mDest = host ? host : ch.mScratch.data();
  }
}

void IPlugBase::AttachOutputBuffers(int idx, int n, float** pp) {
  const int end = std::min(idx + n, NOutChannels());
  for (int i = std::max(0, idx); i < end; ++i) {
    OutChannel& ch = mOutChannels[i];
    if (!ch.mConnected) continue;
    *ch.mDest = ch.mScratch.data();
    ch.mFDest = *pp++;
  }
}

void IPlugBase::ProcessBuffers(double, int nFrames) {
  ProcessDoubleReplacing(mInData.data(), mOutData.data(), nFrames);
}

void IPlugBase::ProcessBuffers(float, int nFrames) {
  ProcessDoubleReplacing(mInData.data(), mOutData.data(), nFrames);
  for (OutChannel& ch : mOutChannels) {
    if (!ch.mConnected || !ch.mFDest) continue;
    for (int s = 0; s < nFrames; ++s) ch.mFDest[s] = static_cast<float>(ch.mScratch[s]);
  }
}

void IPlugBase::ProcessBuffersAccumulating(float, int nFrames) {
  ProcessDoubleReplacing(mInData.data(), mOutData.data(), nFrames);
  for (OutChannel& ch : mOutChannels) {
    if (!ch.mConnected || !ch.mFDest) continue;
    for (int s = 0; s < nFrames; ++s) ch.mFDest[s] += static_cast<float>(ch.mScratch[s]);
  }
}
