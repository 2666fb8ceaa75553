#include <gtest/gtest.h>

#include "graphics/IGraphicsStructs.h"
#include "graphics/IPopupMenu.h"

// The rectangle rules the draw passes rely on: only the all-zero rectangle is empty (and
// ignored by unions), and touching counts on this rectangle's right and bottom edge only.
TEST(IRECT, EmptinessTouchingIntersectionAndUnion) {
  EXPECT_TRUE(IRECT(0, 0, 0, 0).Empty());
  EXPECT_FALSE(IRECT(1, 1, 1, 1).Empty());
  EXPECT_FALSE(IRECT(1, 1, 1, 1).Contains(1, 1));  // not empty, but holds no pixel
  EXPECT_TRUE(IRECT(0, 0, 2, 2).Contains(0, 0));
  EXPECT_FALSE(IRECT(0, 0, 2, 2).Contains(2, 1));

  const IRECT a(0, 0, 10, 10), right(10, 0, 20, 10), below(0, 10, 10, 20);
  EXPECT_TRUE(a.Intersects(right) && a.Intersects(below));
  EXPECT_FALSE(right.Intersects(a) || below.Intersects(a));
  EXPECT_FALSE(a.Intersects(IRECT()) || IRECT().Intersects(a));
  EXPECT_EQ(a.Intersect(right), IRECT(10, 0, 10, 10));  // no width
  EXPECT_EQ(a.Intersect(IRECT(5, 5, 30, 30)), IRECT(5, 5, 10, 10));
  EXPECT_EQ(a.Intersect(IRECT(50, 50, 60, 60)), IRECT());

  const IRECT b(5, 5, 10, 10);
  EXPECT_EQ(IRECT().Union(b), b);
  EXPECT_EQ(b.Union(IRECT()), b);
  EXPECT_EQ(b.Union(IRECT(0, 0, 3, 3)), IRECT(0, 0, 10, 10));  // not empty: widens to 0, 0
  EXPECT_EQ(b.Union(IRECT(20, 1, 30, 7)), IRECT(5, 1, 30, 10));
}

// Methods outside the table mean no blend; items outside the menu are none; the platform
// menu numbers items when asked.
TEST(IChannelBlendAndIPopupMenu, MethodsAndItemsOutsideTheirRangesAndItemNumbering) {
  const std::pair<int, int> modes[] = {
      {kBlendNone, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA},
      {kBlendClobber, LICE_BLIT_MODE_COPY},
      {kBlendAdd, LICE_BLIT_MODE_ADD | LICE_BLIT_USE_ALPHA},
      {kBlendColorDodge, LICE_BLIT_MODE_DODGE | LICE_BLIT_USE_ALPHA},
      {7, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA},
      {-1, LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA}};
  for (auto [method, mode] : modes) {
    const IChannelBlend blend(method, 0.25f);
    EXPECT_EQ(LICE_BlendMode(&blend), mode) << method;
    EXPECT_FLOAT_EQ(LICE_BlendWeight(&blend), 0.25f);
  }
  EXPECT_EQ(LICE_BlendMode(nullptr), LICE_BLIT_MODE_COPY | LICE_BLIT_USE_ALPHA);
  EXPECT_FLOAT_EQ(LICE_BlendWeight(nullptr), 1.0f);

  IPopupMenu menu;
  menu.AddItem("Soft");
  menu.AddItem(nullptr);
  EXPECT_STREQ(menu.GetItemText(1), "");
  EXPECT_EQ(menu.GetItem(2), nullptr);
  EXPECT_EQ(menu.GetItem(-1), nullptr);
  EXPECT_EQ(menu.GetItemText(9), nullptr);
  EXPECT_EQ(menu.GetDisplayText(0), "Soft");
  menu.SetPrefix(IPopupMenu::kPrefixTwoDigits);  // the platform menu's 1-based numbering
  EXPECT_EQ(menu.GetDisplayText(0), "01: Soft");
  menu.SetPrefix(IPopupMenu::kPrefixThreeDigits);
  EXPECT_EQ(menu.GetDisplayText(1), "002: ");
  EXPECT_EQ(menu.GetDisplayText(5), "");
}
