// Typing or picking a parameter value: a popup menu of the display texts, or a text entry
// prefilled with the current display string, and the reading of what was typed.
#include <charconv>
#include <cmath>
#include <cstring>
#include <mutex>
#include <string_view>

#include "IGraphics.h"
#include "core/IParam.h"
#include "core/IPlugBase.h"

namespace {
bool UsesMenu(const IParam& param) {
  return param.Type() == IParam::kTypeEnum ||
         (param.Type() == IParam::kTypeBool && param.GetNDisplayTexts() > 0);
}

// A finite number spelled out in full ("-12.5", "3e2", " 7 "), whatever the locale.
bool ParseNumber(const char* text, double* value) {
  std::string_view s(text);
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-') s.remove_prefix(1);
  if (s.empty()) return false;
  double v = 0.0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return false;
  *value = v;
  return true;
}
}  // namespace

void IGraphics::PromptUserInput(IGraphicsControl* control, IParam* param, IRECT* area) {
  if (!control || !param || !area) return;
  // Host threads write the parameter's value under the plug-in's mutex; a prompt is a gesture,
  // not drawing, so it may take the mutex briefly to read it.
  char current[IParam::kDisplayBufSize];
  std::unique_lock<std::recursive_mutex> lock;
  if (mPlug) lock = std::unique_lock(mPlug->GetMutex());
  if (!UsesMenu(*param)) {
    param->GetDisplayForHost(param->Value(), false, current, false);
    lock = {};
    PromptUserInput(control, control->GetText(), area, current, param);
    return;
  }
  param->GetDisplayForHost(current);
  lock = {};
  IPopupMenu menu;
  const int n = param->GetNDisplayTexts();
  for (int i = 0; i < n; ++i) {
    const char* text = param->GetDisplayTextAtIdx(i);
    const bool checked = std::strcmp(text, current) == 0;
    menu.AddItem(text, checked ? IPopupMenuItem::kChecked : IPopupMenuItem::kNoFlags);
  }
  IPopupMenu* chosen = CreateIPopupMenu(&menu, area);
  if (!chosen) return;
  const int idx = chosen->GetChosenItemIdx();
  if (idx < 0 || idx >= n) return;
  int value = 0;
  param->GetDisplayTextAtIdx(idx, &value);
  control->SetValueFromUserInput(param->GetNormalized(static_cast<double>(value)));
}

void IGraphics::SetFromStringAfterPrompt(IGraphicsControl* control, IParam* param,
                                         const char* text) {
  if (!control || !param || !text) return;
  int named = 0;
  const bool hasTexts = param->Type() == IParam::kTypeBool || param->Type() == IParam::kTypeEnum;
  if (hasTexts && param->MapDisplayText(text, &named)) {
    control->SetValueFromUserInput(param->GetNormalized(static_cast<double>(named)));
    return;
  }
  double v = 0.0;
  if (!ParseNumber(text, &v)) return;
  if (param->DisplayIsNegated()) v = -v;
  double lo = 0.0, hi = 0.0;
  param->GetBounds(&lo, &hi);
  if (v < lo || v > hi) return;
  control->SetValueFromUserInput(param->GetNormalized(v));
}
