// The LV2 UI (TundraxUI.so) in a small UI host of our own under Xvfb: instantiated with a
// parent window, it shows what the VST2 editor shows for the same settings, takes the host's
// port values (and ignores bad ones), shows the meter ports, and turns gestures into port
// writes bracketed by touch, delivered from the host's idle call.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <lv2/ui/ui.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "EditorSession.h"
#include "XServer.h"
#include "product/TundraxLayout.h"
#include "product/TundraxParams.h"
#include "tools/host/HostParentWindow.h"
#include "tools/host/PluginLibrary.h"

namespace {

constexpr int kWidth = 900, kHeight = 620;
constexpr uint32_t kFirstParamPort = 4, kGainReductionPort = kFirstParamPort + kNumParams,
                   kOutputLevelPort = kGainReductionPort + 1;

struct Write {
  uint32_t port;
  float value;
};

class UiHost {
 public:
  explicit UiHost(bool withParent = true)
      : mParent(kWidth, kHeight, "lv2 ui tests"),
        mParentFeature{LV2_UI__parent, reinterpret_cast<void*>(mParent.id())},
        mResizeFeature{LV2_UI__resize, &mResize},
        mTouchFeature{LV2_UI__touch, &mTouch} {
    // Kept mapped after dlclose, as hosts keep UI libraries: the editor's text brings in
    // fontconfig, whose process-wide configuration lives until the process ends.
    mLibrary = dlopen(TUNDRAX_LV2UI_BINARY, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    EXPECT_NE(mLibrary, nullptr) << dlerror();
    if (!mLibrary) return;
    auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(mLibrary, "lv2ui_descriptor"));
    mDescriptor = entry(0);
    EXPECT_EQ(entry(1), nullptr);
    mIdle = static_cast<const LV2UI_Idle_Interface*>(
        mDescriptor->extension_data(LV2_UI__idleInterface));
    const LV2_Feature* features[] = {withParent ? &mParentFeature : &mResizeFeature,
                                     &mResizeFeature, &mTouchFeature, nullptr};
    mHandle = mDescriptor->instantiate(mDescriptor, "urn:orvalline:tundrax", TUNDRAX_LV2_BUNDLE,
                                       &UiHost::OnWrite, this, &mWidget, features);
  }
  ~UiHost() {
    if (mHandle) mDescriptor->cleanup(mHandle);
    if (mLibrary) dlclose(mLibrary);
  }

  bool Opened() const { return mHandle != nullptr; }
  unsigned long Window() const { return reinterpret_cast<unsigned long>(mWidget); }
  std::pair<int, int> ResizedTo() const { return mResized; }
  const std::vector<Write>& Writes() const { return mWrites; }
  const std::vector<std::pair<uint32_t, bool>>& Touches() const { return mTouches; }

  void Port(uint32_t port, float value, uint32_t size = sizeof(float), uint32_t format = 0) {
    mDescriptor->port_event(mHandle, port, size, format, &value);
  }
  void Param(int idx, float value) { Port(kFirstParamPort + static_cast<uint32_t>(idx), value); }
  std::vector<uint32_t> Pixels() { return x11test::WindowPixels(Window()); }

  // Idles the UI about 50 times a second until the condition holds or timeoutMs passed.
  bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
      if (std::chrono::steady_clock::now() > end) return condition();
      EXPECT_EQ(mIdle->idle(mHandle), 0);
      mParent.pump();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }
  // Runs xdotool words with the pointer first moved to editor point (x, y).
  void At(int x, int y, const std::string& words) {
    x11test::XDo("mousemove --window " + std::to_string(Window()) + " " + std::to_string(x) + " " +
                 std::to_string(y) + " " + words);
  }

 private:
  static void OnWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer) {
    auto* self = static_cast<UiHost*>(controller);
    EXPECT_EQ(size, sizeof(float));
    EXPECT_EQ(format, 0u);
    self->mWrites.push_back({port, *static_cast<const float*>(buffer)});
  }
  static int OnResize(LV2UI_Feature_Handle handle, int w, int h) {
    static_cast<UiHost*>(handle)->mResized = {w, h};
    return 0;
  }
  static void OnTouch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
    static_cast<UiHost*>(handle)->mTouches.emplace_back(port, grabbed);
  }

  host::HostParentWindow mParent;
  LV2UI_Resize mResize{this, &UiHost::OnResize};
  LV2UI_Touch mTouch{this, &UiHost::OnTouch};
  LV2_Feature mParentFeature, mResizeFeature, mTouchFeature;
  void* mLibrary = nullptr;
  const LV2UI_Descriptor* mDescriptor = nullptr;
  const LV2UI_Idle_Interface* mIdle = nullptr;
  LV2UI_Handle mHandle = nullptr;
  LV2UI_Widget mWidget = nullptr;
  std::pair<int, int> mResized{0, 0};
  std::vector<Write> mWrites;
  std::vector<std::pair<uint32_t, bool>> mTouches;
};

// The VST2 editor's window-less picture with these normalised parameter values.
std::vector<uint32_t> Vst2Snapshot(const std::vector<std::pair<int, float>>& values) {
  host::PluginInstance plug(host::PluginLibrary::load(TUNDRAX_PLUGIN_PATH));
  plug.open();
  for (auto [idx, value] : values) plug.setParameter(idx, value);
  return x11test::SnapshotPixels(plug);
}

const tundrax::layout::Control& ControlOf(int param) {
  for (const auto& c : tundrax::layout::kControls) {
    if (c.param == param) return c;
  }
  return tundrax::layout::kControls[0];
}

TEST(Lv2Ui, OpensOnlyInsideTheHostsWindowAndTellsItsSize) {
  x11test::XDo("mousemove 1000 760");  // pointer away from the editors
  UiHost orphan(false);
  EXPECT_FALSE(orphan.Opened());

  for (int round = 0; round < 3; ++round) {  // each closes its window and thread again
    UiHost host;
    ASSERT_TRUE(host.Opened());
    EXPECT_NE(host.Window(), 0u);
    EXPECT_EQ(host.ResizedTo(), std::make_pair(kWidth, kHeight));
  }
  EXPECT_EQ(x11test::TestDisplayErrors(), 0);
}

TEST(Lv2Ui, ShowsTheHostsValuesAsTheVst2EditorDoesAndIgnoresBadOnes) {
  x11test::XDo("mousemove 1000 760");
  UiHost host;
  ASSERT_TRUE(host.Opened());
  host.Param(kBypassWarmth, 1.0f);
  host.Param(kThreshold, 14.4f);
  host.Param(kAttack, 1e9f);  // clamped to the range's top
  host.Param(kRatio, std::numeric_limits<float>::quiet_NaN());
  host.Port(kFirstParamPort + kRelease, 500.0f, sizeof(double));    // not a float
  host.Port(kFirstParamPort + kRelease, 500.0f, sizeof(float), 7);  // not a control value
  host.Port(0, 1.0f);                                               // an audio port
  host.Port(kOutputLevelPort + 1, 1.0f);                            // no such port

  const std::vector<uint32_t> expected =
      Vst2Snapshot({{kBypassWarmth, 1.0f}, {kThreshold, 0.3f}, {kAttack, 1.0f}});
  ASSERT_EQ(expected.size(), size_t{kWidth} * kHeight);
  std::vector<uint32_t> pixels;
  host.WaitFor([&] { return (pixels = host.Pixels()) == expected; });
  size_t differing = 0;
  for (size_t i = 0; i < std::min(pixels.size(), expected.size()); ++i) {
    differing += pixels[i] != expected[i];
  }
  EXPECT_EQ(pixels.size(), expected.size());
  EXPECT_EQ(differing, 0u);

  // The meter ports light the meters; at rest they look as the resting plug-in's do.
  host.Port(kOutputLevelPort, -6.0f);
  host.Port(kGainReductionPort, 12.0f);
  EXPECT_TRUE(host.WaitFor([&] { return host.Pixels() != expected; }));
  host.Port(kOutputLevelPort, -48.0f);
  host.Port(kGainReductionPort, 0.0f);
  EXPECT_TRUE(host.WaitFor([&] { return host.Pixels() == expected; }));
  EXPECT_TRUE(host.Writes().empty());  // the host's own values are not sent back
}

TEST(Lv2Ui, GesturesBecomePortWritesBracketedByTouchAndIgnoreTheHostsEchoes) {
  x11test::XDo("mousemove 1000 760");
  UiHost host;
  ASSERT_TRUE(host.Opened());
  const uint32_t bypassPort = kFirstParamPort + kBypassWarmth;
  const auto& warmth = ControlOf(kBypassWarmth);
  host.At(warmth.x + 10, warmth.y + 10, "click 1");
  ASSERT_TRUE(host.WaitFor([&] { return host.Touches().size() == 2; }));
  EXPECT_EQ(host.Touches()[0], std::make_pair(bypassPort, true));
  EXPECT_EQ(host.Touches()[1], std::make_pair(bypassPort, false));
  ASSERT_EQ(host.Writes().size(), 1u);
  EXPECT_EQ(host.Writes()[0].port, bypassPort);
  EXPECT_EQ(host.Writes()[0].value, 1.0f);

  // A drag on the threshold knob; halfway the host sends an old value, which must not pull
  // the knob back while the user holds it.
  const uint32_t thresholdPort = kFirstParamPort + kThreshold;
  const auto& knob = ControlOf(kThreshold);
  const int x = (knob.x + knob.right) / 2, y = (knob.y + knob.bottom) / 2;
  host.At(x, y, "mousedown 1 mousemove_relative -- 0 -30");
  ASSERT_TRUE(host.WaitFor([&] { return host.Writes().size() > 1; }));
  host.Param(kThreshold, 0.0f);
  x11test::XDo("mousemove_relative -- 0 -30 mouseup 1");
  ASSERT_TRUE(host.WaitFor([&] { return host.Touches().size() == 4; }));
  EXPECT_EQ(host.Touches()[2], std::make_pair(thresholdPort, true));
  EXPECT_EQ(host.Touches()[3], std::make_pair(thresholdPort, false));
  float last = 0.0f;
  for (size_t i = 1; i < host.Writes().size(); ++i) {
    EXPECT_EQ(host.Writes()[i].port, thresholdPort);
    EXPECT_GT(host.Writes()[i].value, last) << "write " << i;
    last = host.Writes()[i].value;
  }
  EXPECT_EQ(x11test::TestDisplayErrors(), 0);
}

}  // namespace
