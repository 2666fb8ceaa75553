#include <gtest/gtest.h>

#include "graphics/IGraphicsStructs.h"
#include "graphics/IPopupMenu.h"

TEST(IRECT, OnlyTheAllZeroRectangleIsEmpty) {
  EXPECT_TRUE(IRECT(0, 0, 0, 0).Empty());
  EXPECT_FALSE(IRECT(1, 1, 1, 1).Empty());
  EXPECT_FALSE(IRECT(1, 1, 1, 1).Contains(1, 1));  // not empty, but holds no pixel
  EXPECT_TRUE(IRECT(0, 0, 2, 2).Contains(0, 0));
  EXPECT_FALSE(IRECT(0, 0, 2, 2).Contains(2, 1));
}

TEST(IRECT, TouchingCountsOnThisRectanglesRightAndBottomEdgeOnly) {
  const IRECT a(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20);
  EXPECT_TRUE(a.Intersects(right));
  EXPECT_FALSE(right.Intersects(a));
  EXPECT_TRUE(a.Intersects(below));
  EXPECT_FALSE(below.Intersects(a));
  EXPECT_FALSE(a.Intersects(IRECT()));
  EXPECT_FALSE(IRECT().Intersects(a));
  // The touching overlap has no width.
  EXPECT_EQ(a.Intersect(right), IRECT(10, 0, 10, 10));
  EXPECT_EQ(a.Intersect(IRECT(5, 5, 30, 30)), IRECT(5, 5, 10, 10));
  EXPECT_EQ(a.Intersect(IRECT(50, 50, 60, 60)), IRECT());
}

TEST(IRECT, UnionWithTheEmptyRectangleIsTheOther) {
  const IRECT a(5, 5, 10, 10);
  EXPECT_EQ(IRECT().Union(a), a);
  EXPECT_EQ(a.Union(IRECT()), a);
  // (0, 0, 3, 3) is not empty, so it widens the union to the origin.
  EXPECT_EQ(a.Union(IRECT(0, 0, 3, 3)), IRECT(0, 0, 10, 10));
  EXPECT_EQ(a.Union(IRECT(20, 1, 30, 7)), IRECT(5, 1, 30, 10));
}

TEST(IColor, PixelWordHoldsAlphaInTheLowByte) {
  const IColor c(0x11, 0x22, 0x33, 0x44);
  EXPECT_EQ(c.ToPixel(), 0x44332211u);
  EXPECT_EQ(IColor::FromPixel(c.ToPixel()), c);
  EXPECT_EQ(COLOR_ORANGE, IColor(255, 255, 127, 0));
}

TEST(IChannelBlend, TableOfModes) {
  constexpr int kAlpha = LICE_BLIT_USE_ALPHA;
  EXPECT_EQ(LICE_BlendMode(nullptr), LICE_BLIT_MODE_COPY | kAlpha);
  EXPECT_FLOAT_EQ(LICE_BlendWeight(nullptr), 1.0f);
  const IChannelBlend none(kBlendNone, 0.25f), clobber(kBlendClobber, 0.5f), add(kBlendAdd),
      dodge(kBlendColorDodge), unknown(7, 0.75f), negative(-1);
  // Method 0 is no blend except for its weight.
  EXPECT_EQ(LICE_BlendMode(&none), LICE_BLIT_MODE_COPY | kAlpha);
  EXPECT_FLOAT_EQ(LICE_BlendWeight(&none), 0.25f);
  EXPECT_EQ(LICE_BlendMode(&clobber), LICE_BLIT_MODE_COPY);
  EXPECT_EQ(LICE_BlendMode(&add), LICE_BLIT_MODE_ADD | kAlpha);
  EXPECT_EQ(LICE_BlendMode(&dodge), LICE_BLIT_MODE_DODGE | kAlpha);
  EXPECT_EQ(LICE_BlendMode(&unknown), LICE_BLIT_MODE_COPY | kAlpha);
  EXPECT_FLOAT_EQ(LICE_BlendWeight(&unknown), 0.75f);
  EXPECT_EQ(LICE_BlendMode(&negative), LICE_BLIT_MODE_COPY | kAlpha);
}

TEST(IPopupMenu, ItemsAndNumberingPrefixes) {
  IPopupMenu menu;
  menu.AddItem("Soft");
  menu.AddItem("Hard", IPopupMenuItem::kChecked);
  menu.AddItem(nullptr);
  EXPECT_EQ(menu.GetNItems(), 3);
  EXPECT_TRUE(menu.GetItem(1)->GetChecked());
  EXPECT_STREQ(menu.GetItemText(2), "");
  EXPECT_EQ(menu.GetItem(3), nullptr);
  EXPECT_EQ(menu.GetItem(-1), nullptr);
  EXPECT_EQ(menu.GetItemText(9), nullptr);
  EXPECT_EQ(menu.GetDisplayText(0), "Soft");
  menu.SetPrefix(IPopupMenu::kPrefixTwoDigits);
  EXPECT_EQ(menu.GetDisplayText(1), "02: Hard");
  menu.SetPrefix(IPopupMenu::kPrefixThreeDigits);
  EXPECT_EQ(menu.GetDisplayText(0), "001: Soft");
  EXPECT_EQ(menu.GetDisplayText(5), "");
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
}
