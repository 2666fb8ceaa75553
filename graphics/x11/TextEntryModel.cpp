#include "TextEntryModel.h"

#include "core/IParam.h"

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int CountCharacters(std::string_view text) {
  int n = 0;
  for (char c : text) n += IsContinuation(c) ? 0 : 1;
  return n;
}

}  // namespace

const char* TextEntryModel::CharSetForParamType(int paramType) {
  switch (paramType) {
    case IParam::kTypeBool:
    case IParam::kTypeInt:
    case IParam::kTypeEnum:
      return "0123456789-+";
    case IParam::kTypeDouble:
      return "0123456789.-+";
    default:
      return "";
  }
}

TextEntryModel::TextEntryModel(std::string allowed, int maxLength, std::string initial)
    : mAllowed(std::move(allowed)),
      mMaxLength(maxLength),
      mText(std::move(initial)),
      mCaret(mText.size()),
      mAllSelected(!mText.empty()) {}

bool TextEntryModel::Accepts(std::string_view candidate) const {
  if (!mAllowed.empty()) {
    for (char c : candidate) {
      if (mAllowed.find(c) == std::string::npos) return false;
    }
  }
  return mMaxLength <= 0 || CountCharacters(candidate) <= mMaxLength;
}

void TextEntryModel::Replace(size_t from, size_t to, std::string_view with) {
  mText.replace(from, to - from, with);
  mCaret = from + with.size();
  mAllSelected = false;
}

bool TextEntryModel::Insert(std::string_view text) {
  if (text.empty()) return false;
  const size_t from = mAllSelected ? 0 : mCaret;
  const size_t to = mAllSelected ? mText.size() : mCaret;
  std::string candidate = mText;
  candidate.replace(from, to - from, text);
  if (!Accepts(candidate)) return false;
  Replace(from, to, text);
  return true;
}

void TextEntryModel::Backspace() {
  if (mAllSelected) {
    Replace(0, mText.size(), "");
    return;
  }
  if (mCaret == 0) return;
  size_t from = mCaret - 1;
  while (from > 0 && IsContinuation(mText[from])) --from;
  Replace(from, mCaret, "");
}

void TextEntryModel::Delete() {
  if (mAllSelected) {
    Replace(0, mText.size(), "");
    return;
  }
  if (mCaret >= mText.size()) return;
  size_t to = mCaret + 1;
  while (to < mText.size() && IsContinuation(mText[to])) ++to;
  Replace(mCaret, to, "");
}

void TextEntryModel::MoveLeft() {
  if (mAllSelected) {
    mAllSelected = false;
    mCaret = 0;
    return;
  }
  if (mCaret == 0) return;
  --mCaret;
  while (mCaret > 0 && IsContinuation(mText[mCaret])) --mCaret;
}

void TextEntryModel::MoveRight() {
  if (mAllSelected) {
    mAllSelected = false;
    mCaret = mText.size();
    return;
  }
  if (mCaret >= mText.size()) return;
  ++mCaret;
  while (mCaret < mText.size() && IsContinuation(mText[mCaret])) ++mCaret;
}

void TextEntryModel::MoveHome() {
  mAllSelected = false;
  mCaret = 0;
}

void TextEntryModel::MoveEnd() {
  mAllSelected = false;
  mCaret = mText.size();
}

void TextEntryModel::SelectAll() {
  mAllSelected = !mText.empty();
  mCaret = mText.size();
}
