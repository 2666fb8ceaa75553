// The text a user types into the editor's value entry: the characters a parameter's kind
// allows, a maximum length, a caret and an all-selected state. Drawing and X events are the
// view's business (X11TextEntry); this is the editing rule alone.
//
// The rule of a change: the whole text it would produce must consist of allowed characters
// (when a set is given) and be no longer than the maximum (when one is given); otherwise the
// change is refused as a whole and nothing happens. The initial text is taken as it is, and
// starts all selected, so the first typed character replaces it.
//
// Threads: the editor thread.
#pragma once

#include <string>
#include <string_view>

class TextEntryModel {
 public:
  // The characters a parameter of this kind (IParam::EParamType) accepts: digits and signs for
  // bool, int and enum, also the point for double, anything for other kinds (empty set).
  static const char* CharSetForParamType(int paramType);

  // maxLength 0: no limit. The length counts characters (UTF-8 sequences).
  TextEntryModel(std::string allowed, int maxLength, std::string initial);

  // Types text at the caret (replacing the selection); false when refused.
  bool Insert(std::string_view text);
  void Backspace();
  void Delete();
  void MoveLeft();
  void MoveRight();
  void MoveHome();
  void MoveEnd();
  void SelectAll();

  const std::string& Text() const { return mText; }
  // Byte offset of the caret in Text().
  size_t Caret() const { return mCaret; }
  bool AllSelected() const { return mAllSelected; }

 private:
  bool Accepts(std::string_view candidate) const;
  void Replace(size_t from, size_t to, std::string_view with);

  std::string mAllowed;
  int mMaxLength;
  std::string mText;
  size_t mCaret;
  bool mAllSelected;
};
