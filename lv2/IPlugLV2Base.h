// What the two LV2 bindings (the plug-in and its UI) answer alike: an LV2 host offers neither
// a transport to ask, a MIDI output, a program list to refresh nor a window to resize through
// these calls, so the base's operations for them answer "nothing".
#pragma once

#include "core/IPlugBase.h"

class IPlugLV2Base : public IPlugBase {
 public:
  IPlugLV2Base(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
               const char* productName, const char* mfrName, int vendorVersion, int uniqueID,
               int mfrID, int latency, bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
      : IPlugBase(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                  uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst, 0) {}

  void InformHostOfProgramChange() override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int* num, int* denom) override { *num = *denom = 0; }
  void GetTime(ITimeInfo*) override {}
  void ResizeGraphics(int, int) override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
};
