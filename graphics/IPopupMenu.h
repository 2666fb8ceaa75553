// The popup-menu model the editor fills and the platform view shows. A menu owns its items;
// an item's submenu is not owned by it.
#pragma once

#include <memory>
#include <string>
#include <vector>

class IPopupMenu;

struct IPopupMenuItem {
  enum Flags { kNoFlags = 0, kDisabled = 1, kTitle = 2, kChecked = 4, kSeparator = 8 };

  std::string mText;
  IPopupMenu* mSubmenu = nullptr;  // not owned; null for none
  int mFlags = kNoFlags;

  bool GetEnabled() const { return !(mFlags & kDisabled); }
  bool GetChecked() const { return mFlags & kChecked; }
  bool GetIsTitle() const { return mFlags & kTitle; }
  bool GetIsSeparator() const { return mFlags & kSeparator; }
};

class IPopupMenu {
 public:
  // How the platform menu numbers its items (1-based): none, "%1d: ", "%02d: ", "%03d: ".
  enum EPrefix {
    kPrefixNone = 0,
    kPrefixOneDigit = 1,
    kPrefixTwoDigits = 2,
    kPrefixThreeDigits = 3
  };

  IPopupMenu() = default;
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  IPopupMenuItem* AddItem(const char* text, int flags = IPopupMenuItem::kNoFlags,
                          IPopupMenu* submenu = nullptr);
  IPopupMenuItem* AddSeparator() { return AddItem("", IPopupMenuItem::kSeparator); }

  int GetNItems() const { return static_cast<int>(mItems.size()); }
  // Null outside 0..GetNItems() - 1.
  IPopupMenuItem* GetItem(int index);
  const IPopupMenuItem* GetItem(int index) const;
  const char* GetItemText(int index);

  int GetPrefix() const { return mPrefix; }
  void SetPrefix(int prefix) { mPrefix = prefix; }
  // The text a platform menu shows for item index: the numbering prefix, then the text.
  std::string GetDisplayText(int index) const;

  // -1 when nothing was chosen.
  int GetChosenItemIdx() const { return mChosenItemIdx; }
  void SetChosenItemIdx(int index) { mChosenItemIdx = index; }

 private:
  int mPrefix = kPrefixNone;
  int mChosenItemIdx = -1;
  std::vector<std::unique_ptr<IPopupMenuItem>> mItems;
};
