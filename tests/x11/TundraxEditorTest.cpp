// The product's editor in its X11 window: it shows exactly the picture the window-less snapshot
// of the same state gives, and its switches answer the mouse.
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "XServer.h"
#include "tools/host/PluginLibrary.h"

namespace x11test {
namespace {

constexpr int kWidth = 900, kHeight = 620;
constexpr int kBypassWarmth = 0, kThreshold = 13;

TEST(TundraxEditor, TheWindowShowsTheSnapshotOfTheSameStateAndSwitchesTakeClicks) {
  XDo("mousemove 1200 780");  // pointer away from the editor
  auto library = host::PluginLibrary::load(TUNDRAX_SO);
  EditorSession windowless(library), shown(library);
  for (EditorSession* s : {&windowless, &shown}) {
    s->Plug().setParameter(kBypassWarmth, 1.0f);
    s->Plug().setParameter(kThreshold, 0.3f);
  }
  const std::vector<uint32_t> expected = SnapshotPixels(windowless.Plug());
  ASSERT_EQ(expected.size(), static_cast<size_t>(kWidth * kHeight));

  EXPECT_EQ(shown.RectWidth(), kWidth);
  EXPECT_EQ(shown.RectHeight(), kHeight);
  shown.Open();
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

}  // namespace
}  // namespace x11test
