#include "IPopupMenu.h"

#include <cstdio>

IPopupMenuItem* IPopupMenu::AddItem(const char* text, int flags, IPopupMenu* submenu) {
  auto item = std::make_unique<IPopupMenuItem>();
  item->mText = text ? text : "";
  item->mFlags = flags;
  item->mSubmenu = submenu;
  mItems.push_back(std::move(item));
  return mItems.back().get();
}

IPopupMenuItem* IPopupMenu::GetItem(int index) {
  return index >= 0 && index < GetNItems() ? mItems[static_cast<size_t>(index)].get() : nullptr;
}

const IPopupMenuItem* IPopupMenu::GetItem(int index) const {
  return const_cast<IPopupMenu*>(this)->GetItem(index);
}

const char* IPopupMenu::GetItemText(int index) {
  IPopupMenuItem* item = GetItem(index);
  return item ? item->mText.c_str() : nullptr;
}

std::string IPopupMenu::GetDisplayText(int index) const {
  if (index < 0 || index >= GetNItems()) return {};
  const std::string& text = mItems[static_cast<size_t>(index)]->mText;
  static constexpr const char* kFormats[] = {"%1d: ", "%02d: ", "%03d: "};
  if (mPrefix < kPrefixOneDigit || mPrefix > kPrefixThreeDigits) return text;
  char prefix[16];
  std::snprintf(prefix, sizeof(prefix), kFormats[mPrefix - 1], index + 1);
  return prefix + text;
}
