// The product's editor in its X11 window, at 1x and 2x: what a host sees of the window (the
// parent's first child, mapped at the size of effEditGetRect, with XEmbed information and a
// fixed size), exactly the picture the window-less snapshot of the same state gives (each
// pixel doubled at 2x), and switches that answer the mouse.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "EditorSession.h"
#include "XServer.h"
#include "tools/host/PluginLibrary.h"

namespace x11test {
namespace {

constexpr int kWidth = 900, kHeight = 620;
constexpr int kBypassWarmth = 0, kThreshold = 13;

// Each pixel repeated scale × scale times.
std::vector<uint32_t> Scaled(const std::vector<uint32_t>& pixels, int width, int scale) {
  std::vector<uint32_t> scaled;
  const int height = static_cast<int>(pixels.size()) / width;
  for (int y = 0; y < height * scale; ++y) {
    for (int x = 0; x < width * scale; ++x) scaled.push_back(pixels[y / scale * width + x / scale]);
  }
  return scaled;
}

class TundraxEditor : public ::testing::TestWithParam<int> {};

TEST_P(TundraxEditor, TheWindowShowsTheSnapshotOfTheSameStateAndSwitchesTakeClicks) {
  const int scale = GetParam();
  XDo("mousemove 2000 1500");  // pointer away from the editor
  auto library = host::PluginLibrary::load(TUNDRAX_SO);
  EditorSession windowless(library), shown(library, static_cast<float>(scale));
  for (EditorSession* s : {&windowless, &shown}) {
    s->Plug().setParameter(kBypassWarmth, 1.0f);
    s->Plug().setParameter(kThreshold, 0.3f);
  }
  const std::vector<uint32_t> expected = Scaled(SnapshotPixels(windowless.Plug()), kWidth, scale);
  ASSERT_EQ(expected.size(), static_cast<size_t>(kWidth * kHeight * scale * scale));

  // Hosts ask for the size before opening.
  EXPECT_EQ(shown.RectSize(), std::pair(kWidth * scale, kHeight * scale));
  shown.Open();
  bool mapped = false;
  int w = 0, h = 0;
  const unsigned long child = shown.Parent().firstChild(&mapped, &w, &h);
  ASSERT_NE(child, 0u);
  EXPECT_TRUE(mapped);
  EXPECT_EQ(w, kWidth * scale);
  EXPECT_EQ(h, kHeight * scale);
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
  EXPECT_EQ(hints.min_height, kHeight * scale);

  std::vector<uint32_t> pixels;
  shown.WaitFor([&] { return (pixels = shown.Pixels()) == expected; });
  ASSERT_EQ(pixels.size(), expected.size());
  size_t differing = 0;
  for (size_t i = 0; i < pixels.size(); ++i) differing += pixels[i] != expected[i];
  EXPECT_EQ(differing, 0u);

  shown.Click(28 + 10, 97 + 10);  // the Warmth band's switch
  EXPECT_TRUE(shown.WaitFor([&] { return shown.Plug().getParameter(kBypassWarmth) == 0.0f; }));
  shown.Close();
  EXPECT_EQ(TestDisplayErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, TundraxEditor, ::testing::Values(1, 2),
                         [](const auto& info) { return "x" + std::to_string(info.param); });

}  // namespace
}  // namespace x11test
