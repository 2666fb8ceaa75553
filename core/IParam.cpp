#include "IParam.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "TextUtil.h"

namespace {

// The shaped curve from normalised n to the unit interval, and its inverse. Any non-zero shape,
// a not-a-number included, takes the exponential path.
double ShapeCurve(double n, double shape) {
  if (shape == 0.0) return n;
  return (std::exp(shape * n) - 1.0) / (std::exp(shape) - 1.0);
}

double ShapeCurveInverse(double x, double shape) {
  if (shape == 0.0) return x;
  return std::log((std::exp(shape) - 1.0) * x + 1.0) / shape;
}

}  // namespace

IParam::IParam() = default;

void IParam::InitCommon(EParamType type, const char* name, double defaultVal, double minVal,
                        double maxVal, double step, const char* label, const char* group) {
  if (mType == kTypeNone) mType = type;
  mValue = mDefault = defaultVal;
  mMin = minVal;
  mMax = maxVal;
  mStep = step;
  mShape = 0.0;
  mDisplayPrecision = 0;
  CopyText(mName, name, sizeof mName);
  CopyText(mLabel, label, sizeof mLabel);
  CopyText(mGroup, group, sizeof mGroup);
}

void IParam::InitBool(const char* name, bool defaultVal, const char* label, const char* group) {
  InitCommon(kTypeBool, name, defaultVal ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, group);
  SetDisplayText(0, "off");
  SetDisplayText(1, "on");
}

void IParam::InitEnum(const char* name, int defaultVal, int nEnums, const char* label,
                      const char* group) {
  InitCommon(kTypeEnum, name, defaultVal, 0.0, std::max(1, nEnums - 1), 1.0, label, group);
}

void IParam::InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label,
                     const char* group) {
  InitCommon(kTypeInt, name, defaultVal, minVal,
             std::max(static_cast<double>(minVal) + 1.0, static_cast<double>(maxVal)), 1.0, label,
             group);
}

void IParam::InitDouble(const char* name, double defaultVal, double minVal, double maxVal,
                        double step, const char* label, const char* group, double shape) {
  InitCommon(kTypeDouble, name, defaultVal, minVal, std::max(minVal + step, maxVal), step, label,
             group);
  mShape = shape;
  // Decimals shown: as many as it takes to make the step whole, at most six.
  double x = step;
  while (mDisplayPrecision < 6 && std::floor(x) != x) {
    ++mDisplayPrecision;
    x *= 10.0;
  }
}

void IParam::SetDisplayText(int value, const char* text) {
  DisplayText entry{value, {}};
  CopyText(entry.mText, text, sizeof entry.mText);
  mDisplayTexts.push_back(entry);
}

void IParam::Set(double value) {
  if (std::isnan(value)) return;
  mValue = value < mMin ? mMin : std::min(value, mMax);
}

double IParam::FromNormalized(double normalized) const {
  return (mMax - mMin) * ShapeCurve(normalized, mShape) + mMin;
}

void IParam::SetNormalized(double normalized) {
  double value = FromNormalized(normalized);
  if (mType != kTypeDouble) value = std::floor(value / mStep + 0.5) * mStep;
  if (value > mMax) value = mMax;
  if (std::isnan(value)) return;
  mValue = value;
}

double IParam::GetNormalized(double realValue) const {
  double v = realValue < mMin ? mMin : std::min(realValue, mMax);
  return ShapeCurveInverse((v - mMin) / (mMax - mMin), mShape);
}

double IParam::GetNonNormalized(double normalized) const { return FromNormalized(normalized); }

void IParam::GetDisplayForHost(double value, bool normalized, char* out,
                               bool withDisplayText) const {
  if (!out) return;
  if (normalized) value = FromNormalized(value);
  if (withDisplayText) {
    const char* text = GetDisplayText(TruncToInt(value));
    if (*text) {
      CopyText(out, text, kDisplayBufSize);
      return;
    }
  }
  if (mNegateDisplay) value = -value;
  if (mDisplayPrecision == 0) {
    snprintf(out, kDisplayBufSize, "%d", TruncToInt(value));
    return;
  }
  // Fixed notation with a '.' whatever the host set the process locale to; the widest double
  // fits the local buffer, and the copy cuts it to the caller's.
  char text[400];
  const auto result = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed,
                                    mDisplayPrecision);
  *result.ptr = '\0';
  CopyText(out, text, kDisplayBufSize);
}

const char* IParam::GetLabelForHost() const { return GetLabelForHost(mValue); }

const char* IParam::GetLabelForHost(double realValue) const {
  return *GetDisplayText(TruncToInt(realValue)) ? "" : mLabel;
}

const char* IParam::GetDisplayText(int value) const {
  for (const DisplayText& entry : mDisplayTexts) {
    if (entry.mValue == value) return entry.mText;
  }
  return "";
}

const char* IParam::GetDisplayTextAtIdx(int idx, int* value) const {
  const DisplayText& entry = mDisplayTexts[idx];
  if (value) *value = entry.mValue;
  return entry.mText;
}

bool IParam::MapDisplayText(const char* text, int* value) const {
  if (!text) return false;
  for (const DisplayText& entry : mDisplayTexts) {
    if (strcmp(entry.mText, text) == 0) {
      *value = entry.mValue;
      return true;
    }
  }
  return false;
}

void IParam::GetBounds(double* lo, double* hi) const {
  *lo = mMin;
  *hi = mMax;
}
