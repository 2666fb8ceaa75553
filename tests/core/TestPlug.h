// A plug-in base with the host-facing operations answered locally, for testing the core alone.
#pragma once

#include <utility>
#include <vector>

#include "core/IPlugBase.h"

class TestPlug : public IPlugBase {
 public:
  explicit TestPlug(int nParams, const char* channelIO = "2-2", int nPresets = 0)
      : IPlugBase(nParams, channelIO, nPresets, "Test", "", "Maker", 0x10002, 1, 2, 0, false, false,
                  false, 0) {}

  void BeginInformHostOfParamChange(int) override {}
  void InformHostOfParamChange(int idx, double value) override {
    automated.emplace_back(idx, value);
  }
  void EndInformHostOfParamChange(int) override {}
  void InformHostOfProgramChange() override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int*, int*) override {}
  void GetTime(ITimeInfo*) override {}
  void ResizeGraphics(int, int) override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }
  void OnParamChange(int idx) override { changed.push_back(idx); }

  std::vector<std::pair<int, double>> automated;
  std::vector<int> changed;
};
