// What a host sees of the editor window, and that it shows exactly what the engine draws: the
// window's pixels equal the window-less rendering of the same state, at 1x and at 2x.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "EditorSession.h"
#include "XServer.h"
#include "graphics/IGraphics.h"
#include "plugin/X11TestPlug.h"
#include "raster/LICE_Bitmap.h"

namespace x11test {
namespace {

using P = X11TestPlug;

class EditorWindowTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override { XDo("mousemove 1000 700"); }
  void TearDown() override { EXPECT_EQ(TestDisplayErrors(), 0); }
  int Scale() const { return GetParam(); }
};

TEST_P(EditorWindowTest, TheEditorIsTheParentsFirstChildMappedAtTheSizeOfItsRect) {
  EditorSession session(LoadTestPlug(), static_cast<float>(Scale()));
  // Hosts ask for the size before opening.
  EXPECT_EQ(session.RectWidth(), 300 * Scale());
  EXPECT_EQ(session.RectHeight(), 200 * Scale());
  session.Open(false);
  bool mapped = false;
  int w = 0, h = 0;
  const unsigned long child = session.Parent().firstChild(&mapped, &w, &h);
  ASSERT_NE(child, 0u);
  EXPECT_TRUE(mapped);
  EXPECT_EQ(w, 300 * Scale());
  EXPECT_EQ(h, 200 * Scale());

  // XEmbed information and a fixed size for hosts that look for them.
  Display* display = TestDisplay();
  const Atom xembed = XInternAtom(display, "_XEMBED_INFO", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display, child, xembed, 0, 2, False, xembed, &type, &format, &count,
                               &after, &data),
            Success);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(reinterpret_cast<long*>(data)[1], 1);  // mapped
  XFree(data);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display, child, &hints, &supplied));
  EXPECT_EQ(hints.min_width, hints.max_width);
  EXPECT_EQ(hints.min_height, 200 * Scale());
}

TEST_P(EditorWindowTest, TheWindowShowsWhatTheHeadlessEngineDrawsForTheSameState) {
  const std::pair<int, float> state[] = {{P::kBypass, 1.0f},
                                         {P::kBand, 0.5f},
                                         {P::kQuality, 1.0f},
                                         {P::kGain, 0.3f},
                                         {P::kMode, 0.5f}};
  X11TestPlug headless(IPlugInstanceInfo{}, X11TestPlug::View::Headless);
  EditorSession session(LoadTestPlug(), static_cast<float>(Scale()));
  for (auto [idx, value] : state) {
    headless.GetAEffect()->setParameter(headless.GetAEffect(), idx, value);
    session.Plug().setParameter(idx, value);
  }
  IRECT all(0, 0, P::kWidth, P::kHeight);
  headless.Editor()->SetAllControlsDirty();
  headless.Editor()->Draw(&all);
  LICE_SysBitmap* back = headless.Editor()->GetDrawBitmap();
  std::vector<uint32_t> expected;
  const int s = Scale();
  for (int y = 0; y < P::kHeight * s; ++y) {
    for (int x = 0; x < P::kWidth * s; ++x) {
      const LICE_pixel p = back->getBits()[(y / s) * back->getRowSpan() + x / s];
      expected.push_back(LICE_GETR(p) << 16 | LICE_GETG(p) << 8 | LICE_GETB(p));
    }
  }

  session.Open();
  std::vector<uint32_t> shown;
  session.WaitFor([&] { return (shown = session.Pixels()) == expected; });
  ASSERT_EQ(shown.size(), expected.size());
  size_t differing = 0;
  for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != expected[i];
  EXPECT_EQ(differing, 0u);
}

INSTANTIATE_TEST_SUITE_P(Scales, EditorWindowTest, ::testing::Values(1, 2),
                         [](const auto& info) { return "x" + std::to_string(info.param); });

}  // namespace
}  // namespace x11test
