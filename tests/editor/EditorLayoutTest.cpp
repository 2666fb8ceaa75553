// The product's editor as built in its constructor: the controls in their order, inside the
// editor and apart, greying that follows the bypass parameters however they change, and
// bitmaps decoded once per process however many instances exist.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "graphics/BitmapCache.h"
#include "graphics/IGraphics.h"
#include "product/Tundrax.h"

namespace {

std::unique_ptr<Tundrax> makeTundrax() {
  auto plug = std::make_unique<Tundrax>(IPlugInstanceInfo{});
  plug->GetAEffect()->dispatcher(plug->GetAEffect(), vst2::effOpen, 0, 0, nullptr, 0.0f);
  return plug;
}

IGraphics& editorOf(Tundrax& plug) {
  auto* graphics = dynamic_cast<IGraphics*>(plug.GetGUI());
  EXPECT_NE(graphics, nullptr);
  return *graphics;
}

// The parameter of each control from index 1 on: bypass switches, frequency and gain
// selectors, quality switches, Q icons, compressor knobs, gain-reduction and output meters.
// Where each one lies is pinned by the snapshots against the reviewed images.
const int kParams[] = {0,  1,  2,  3,  6,  9,  4,  7,  10, 5,  8,
                       11, -1, -1, -1, 12, 13, 14, 15, 16, -1, -1};

std::vector<bool> grayedControls(IGraphics& graphics) {
  std::vector<bool> grayed;
  for (int i = 0; i < graphics.NControls(); ++i)
    grayed.push_back(graphics.GetControl(i)->IsGrayed());
  return grayed;
}

}  // namespace

TEST(EditorLayout, TwentyThreeControlsInOrderInsideTheEditorWithoutOverlaps) {
  auto plug = makeTundrax();
  IGraphics& graphics = editorOf(*plug);
  ASSERT_EQ(graphics.NControls(), 23);
  EXPECT_EQ(graphics.GetControl(0)->GetRECT(), IRECT(0, 0, 900, 620));
  EXPECT_EQ(graphics.GetControl(0)->ParamIdx(), -1);
  for (int i = 1; i < 23; ++i) {
    const IRECT r = graphics.GetControl(i)->GetRECT();
    SCOPED_TRACE(i);
    EXPECT_EQ(graphics.GetControl(i)->ParamIdx(), kParams[i - 1]);
    EXPECT_TRUE(r.W() > 0 && r.H() > 0 && r.R <= 900 && r.B <= 620);
    if (i >= 16 && i <= 20) {
      EXPECT_EQ(r, IRECT(r.L, 428, r.L + 75, 535));
    }
    for (int j = 1; j < i; ++j) {
      const IRECT o = graphics.GetControl(j)->GetRECT();
      EXPECT_FALSE(r.L < o.R && o.L < r.R && r.T < o.B && o.T < r.B) << "overlaps control " << j;
    }
  }
}

TEST(EditorLayout, BypassGreysTheBandsSelectorsAndIconHoweverItChanges) {
  auto plug = makeTundrax();
  vst2::AEffect* effect = plug->GetAEffect();
  IGraphics& graphics = editorOf(*plug);
  std::vector<bool> boxinessGrayed(23, false);
  for (int i : {5, 8, 11, 14}) boxinessGrayed[i] = true;
  const std::vector<bool> noneGrayed(23, false);

  effect->setParameter(effect, 1, 1.0f);
  EXPECT_EQ(grayedControls(graphics), boxinessGrayed);
  std::vector<uint8_t> bypassed;
  {
    void* data = nullptr;
    const intptr_t size = effect->dispatcher(effect, vst2::effGetChunk, 1, 0, &data, 0.0f);
    ASSERT_GT(size, 0);
    bypassed.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  }
  effect->setParameter(effect, 1, 0.0f);
  EXPECT_EQ(grayedControls(graphics), noneGrayed);

  effect->dispatcher(effect, vst2::effSetChunk, 1, static_cast<intptr_t>(bypassed.size()),
                     bypassed.data(), 0.0f);
  EXPECT_EQ(grayedControls(graphics), boxinessGrayed);

  // Every factory program plays all three bands.
  effect->dispatcher(effect, vst2::effSetProgram, 0, 4, nullptr, 0.0f);
  EXPECT_EQ(grayedControls(graphics), noneGrayed);

  // A greyed selector ignores presses; the bypass switch itself stays live.
  effect->setParameter(effect, 1, 1.0f);
  IMouseMod left(true, false);
  const IRECT selector = graphics.GetControl(5)->GetRECT();
  const float frequency = effect->getParameter(effect, 6);
  graphics.OnMouseDown(selector.L + 5, selector.T + 5, &left);
  graphics.OnMouseUp(selector.L + 5, selector.T + 5, &left);
  EXPECT_EQ(effect->getParameter(effect, 6), frequency);
  const IRECT bypass = graphics.GetControl(2)->GetRECT();
  graphics.OnMouseDown(bypass.L + 5, bypass.T + 5, &left);
  graphics.OnMouseUp(bypass.L + 5, bypass.T + 5, &left);
  EXPECT_EQ(effect->getParameter(effect, 1), 0.0f);
  EXPECT_EQ(grayedControls(graphics), noneGrayed);
}

// The editor loads its images by ids that stay the same from instance to instance.
TEST(EditorLayout, InstancesShareEachDecodedBitmap) {
  auto first = makeTundrax();
  const int decodes = BitmapCache::DecodeCount();
  auto second = makeTundrax();
  EXPECT_EQ(BitmapCache::DecodeCount(), decodes);
}
