// The LV2 UI binding: the plug-in's editor as an LV2 X11 UI, a separate binary a host loads
// beside the plug-in. The UI holds a plug-in instance of its own that never processes audio;
// it only carries the parameter values the editor shows and edits. The two instances meet
// through ports alone:
// - the host's port events set the UI instance's parameters (and the editor shows them) and
//   feed the meters (OnMeterPortEvent);
// - the editor's gestures become port writes in real units, bracketed by the host's touch
//   feature (ui:touch) when it offers one.
// Port order is the plug-in's (PortLayout.h).
//
// Threads: the host calls Open, PortEvent, Idle and Close on its UI thread. The editor runs on
// a thread of its own and queues its gestures; Idle delivers them, so the host's write function
// and touch feature are called on the host's UI thread. Every call here but Close holds the
// instance mutex; Close drops it before it waits for the editor's thread.
#pragma once

#include <cstdint>
#include <vector>

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include "core/IPlugBase.h"
#include "lv2/PortLayout.h"

struct IPlugInstanceInfo {
  LV2UI_Write_Function mWrite = nullptr;
  LV2UI_Controller mController = nullptr;
  const LV2_Feature* const* mFeatures = nullptr;
};

class IPlugLV2UI : public IPlugBase {
 public:
  IPlugLV2UI(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr, int nPresets,
             const char* effectName, const char* productName, const char* mfrName,
             int vendorVersion, int uniqueID, int mfrID, int latency, bool plugDoesMidi,
             bool plugDoesChunks, bool plugIsInst);
  ~IPlugLV2UI() override = default;

  // --- Meter ports, supplied by the product -----------------------------------------------------

  virtual int NMeterPorts() const { return 0; }
  // A meter port's new value (as the plug-in wrote it), on the host's UI thread.
  virtual void OnMeterPortEvent(int, float) {}

  // --- Called by the entry points (LV2UIEntry.cpp) ----------------------------------------------

  // Opens the editor inside the host's window (ui:parent) and tells the host its size
  // (ui:resize). Null when there is no editor, no parent or the window cannot be opened;
  // otherwise the editor's X window id.
  void* Open();
  // Closes the editor and waits for its thread; called without the mutex before destruction.
  void Close();
  // A port's new value from the host. Only float control values (format 0) are taken; a
  // parameter's value out of range is clamped and a not-a-number ignored, as from the plug-in's
  // own ports. While the user holds a parameter's control, the host's values for it (echoes of
  // our own writes) are ignored.
  void PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer);
  // The host's idle call: delivers the editor's queued gestures. Returns 0 (the UI is open).
  int Idle();

  PortLayout GetPortLayout() const;

  // --- Operations of the base -------------------------------------------------------------------

  void BeginInformHostOfParamChange(int idx) override;
  void InformHostOfParamChange(int idx, double normalizedValue) override;
  void EndInformHostOfParamChange(int idx) override;
  void SendHostNotification(const HostNotification& notification) override;
  void InformHostOfProgramChange() override {}
  int GetSamplePos() override { return 0; }
  double GetTempo() override { return 0.0; }
  void GetTimeSig(int* num, int* denom) override { *num = *denom = 0; }
  void GetTime(ITimeInfo*) override {}
  void ResizeGraphics(int, int) override {}
  bool SendMidiMsg(IMidiMsg*) override { return false; }

 private:
  void Touch(int paramIdx, bool grabbed);

  LV2UI_Write_Function mWrite;
  LV2UI_Controller mController;
  void* mParentWindow = nullptr;
  const LV2UI_Resize* mResize = nullptr;
  const LV2UI_Touch* mTouch = nullptr;
  std::vector<bool> mHeld;  // per parameter: the user holds its control (guarded by the mutex)
};

// The entry point constructs the product's UI instance through this function, which the
// product defines, and answers for the UI with this URI.
IPlugLV2UI* MakeUIPlug(IPlugInstanceInfo instanceInfo);
extern const char* const kPlugUIURI;
