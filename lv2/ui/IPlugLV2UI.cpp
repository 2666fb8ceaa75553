#include "IPlugLV2UI.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "core/IPlugEditor.h"
#include "lv2/HostFeatures.h"

IPlugLV2UI::IPlugLV2UI(IPlugInstanceInfo instanceInfo, int nParams, const char* channelIOStr,
                       int nPresets, const char* effectName, const char* productName,
                       const char* mfrName, int vendorVersion, int uniqueID, int mfrID, int latency,
                       bool plugDoesMidi, bool plugDoesChunks, bool plugIsInst)
    : IPlugLV2Base(nParams, channelIOStr, nPresets, effectName, productName, mfrName, vendorVersion,
                   uniqueID, mfrID, latency, plugDoesMidi, plugDoesChunks, plugIsInst),
      mWrite(instanceInfo.mWrite),
      mController(instanceInfo.mController),
      mHeld(nParams, false) {
  const LV2_Feature* const* features = instanceInfo.mFeatures;
  mParentWindow = const_cast<void*>(FeatureData(features, LV2_UI__parent));
  mResize = static_cast<const LV2UI_Resize*>(FeatureData(features, LV2_UI__resize));
  mTouch = static_cast<const LV2UI_Touch*>(FeatureData(features, LV2_UI__touch));
  if (mResize && !mResize->ui_resize) mResize = nullptr;
  if (mTouch && !mTouch->touch) mTouch = nullptr;
}

PortLayout IPlugLV2UI::GetPortLayout() const { return PortLayout::Of(*this, NMeterPorts()); }

void* IPlugLV2UI::Open() {
  std::lock_guard lock(GetMutex());
  IPlugEditor* editor = GetGUI();
  if (!editor || !mParentWindow || !editor->OpenWindow(mParentWindow)) return nullptr;
  const int scale = editor->WindowScale();
  if (mResize)
    mResize->ui_resize(mResize->handle, editor->Width() * scale, editor->Height() * scale);
  return editor->GetWindow();
}

void IPlugLV2UI::Close() {
  IPlugEditor* editor;
  {
    std::lock_guard lock(GetMutex());
    editor = GetGUI();
  }
  if (editor) editor->Shutdown();
}

void IPlugLV2UI::PortEvent(uint32_t port, uint32_t bufferSize, uint32_t format,
                           const void* buffer) {
  if (format != 0 || bufferSize != sizeof(float) || !buffer) return;
  float value;
  std::memcpy(&value, buffer, sizeof value);
  std::lock_guard lock(GetMutex());
  const PortLayout layout = GetPortLayout();
  if (port >= layout.FirstMeter() && port < layout.NPorts()) {
    OnMeterPortEvent(static_cast<int>(port - layout.FirstMeter()), value);
    return;
  }
  if (port < layout.FirstParam() || port >= layout.FirstMeter()) return;
  const int idx = static_cast<int>(port - layout.FirstParam());
  IParam* param = GetParam(idx);
  if (std::isnan(value) || mHeld[idx] || value == static_cast<float>(param->Value())) return;
  const double normalized = std::clamp(param->GetNormalized(value), 0.0, 1.0);
  if (std::isnan(normalized)) return;
  param->SetNormalized(normalized);
  if (IPlugEditor* editor = GetGUI()) editor->SetParameterFromPlug(idx, param->Value(), false);
  OnParamChange(idx);
}

int IPlugLV2UI::Idle() {
  std::lock_guard lock(GetMutex());
  if (IPlugEditor* editor = GetGUI()) editor->Idle();
  return 0;
}

// --- Gestures ------------------------------------------------------------------------------------

void IPlugLV2UI::BeginInformHostOfParamChange(int idx) {
  std::lock_guard lock(GetMutex());  // the editor's thread calls this, without the mutex
  mHeld[idx] = true;
  NotifyHost({HostNotification::Kind::BeginEdit, idx, 0.0});
}

void IPlugLV2UI::InformHostOfParamChange(int idx, double normalizedValue) {
  NotifyHost({HostNotification::Kind::Automate, idx, normalizedValue});
}

void IPlugLV2UI::EndInformHostOfParamChange(int idx) {
  std::lock_guard lock(GetMutex());
  mHeld[idx] = false;
  NotifyHost({HostNotification::Kind::EndEdit, idx, 0.0});
}

void IPlugLV2UI::SendHostNotification(const HostNotification& notification) {
  const int idx = notification.paramIdx;
  if (idx < 0 || idx >= NParams()) return;
  switch (notification.kind) {
    case HostNotification::Kind::BeginEdit:
      Touch(idx, true);
      break;
    case HostNotification::Kind::Automate: {
      if (!mWrite) return;
      const float value = static_cast<float>(GetParam(idx)->GetNonNormalized(notification.value));
      mWrite(mController, GetPortLayout().FirstParam() + static_cast<uint32_t>(idx), sizeof value,
             0, &value);
      break;
    }
    case HostNotification::Kind::EndEdit:
      Touch(idx, false);
      break;
  }
}

void IPlugLV2UI::Touch(int paramIdx, bool grabbed) {
  if (!mTouch) return;
  mTouch->touch(mTouch->handle, GetPortLayout().FirstParam() + static_cast<uint32_t>(paramIdx),
                grabbed);
}
