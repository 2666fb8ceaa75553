// One automatable parameter: its kind, real value, range, step and curve, its texts for the
// host and an optional table of named values.
//
// The host and the editor exchange normalised values in 0..1; IParam converts them to and from
// real values through an exponential curve (the shape; exactly 0 means linear). Everything that
// shows a value to a user goes through GetDisplayForHost.
//
// Not thread-safe on its own: the plug-in base calls it with the instance mutex held.
#pragma once

#include <vector>

class IParam {
 public:
  enum EParamType { kTypeNone = 0, kTypeBool = 1, kTypeInt = 2, kTypeEnum = 3, kTypeDouble = 4 };

  // Fixed text fields hold at most this many characters plus the terminator; longer texts given
  // to Init or SetDisplayText are cut there.
  static constexpr int kMaxTextLen = 31;
  // Buffers handed to GetDisplayForHost must hold this many bytes.
  static constexpr int kDisplayBufSize = kMaxTextLen + 1;

  IParam();

  // Each Init sets the kind only while it is still kTypeNone; a second Init of another kind keeps
  // the first kind but overwrites the numbers. No Init clamps the default into the range.
  void InitBool(const char* name, bool defaultVal, const char* label = "", const char* group = "");
  void InitEnum(const char* name, int defaultVal, int nEnums, const char* label = "",
                const char* group = "");
  void InitInt(const char* name, int defaultVal, int minVal, int maxVal, const char* label = "",
               const char* group = "");
  void InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                  const char* label = "", const char* group = "", double shape = 0.0);

  void SetShape(double shape) { mShape = shape; }
  // Appends an entry; entries with the same value are not merged (lookups find the first).
  void SetDisplayText(int value, const char* text);

  // value clamped into [min, max]. A not-a-number leaves the value unchanged: it has no place in
  // a range, and stored state or a host must never be able to poison the processing with it.
  void Set(double value);
  // Curve, step rounding for non-double kinds, then only the upper bound is enforced.
  void SetNormalized(double normalized);

  double Value() const { return mValue; }
  EParamType Type() const { return mType; }
  bool DisplayIsNegated() const { return mNegateDisplay; }
  double GetDefault() const { return mDefault; }
  double GetStep() const { return mStep; }
  double GetShape() const { return mShape; }
  int GetPrecision() const { return mDisplayPrecision; }

  double GetNormalized() const { return GetNormalized(mValue); }
  double GetNormalized(double realValue) const;
  double GetNonNormalized(double normalized) const;

  // Writes at most kDisplayBufSize bytes into out, terminator included.
  void GetDisplayForHost(char* out) const { GetDisplayForHost(mValue, false, out, true); }
  void GetDisplayForHost(double value, bool normalized, char* out, bool withDisplayText) const;

  const char* GetNameForHost() const { return mName; }
  const char* GetLabelForHost() const;
  // The label shown beside realValue: none where that value has a display text. Reads only what
  // never changes after Init, so the editor may call it without the plug-in's mutex.
  const char* GetLabelForHost(double realValue) const;
  const char* GetParamGroupForHost() const { return mGroup; }

  const char* GetDisplayText(int value) const;
  int GetNDisplayTexts() const { return static_cast<int>(mDisplayTexts.size()); }
  // The caller keeps idx within the count.
  const char* GetDisplayTextAtIdx(int idx, int* value = nullptr) const;
  bool MapDisplayText(const char* text, int* value) const;

  void GetBounds(double* lo, double* hi) const;

 private:
  struct DisplayText {
    int mValue;
    char mText[kMaxTextLen + 1];
  };

  double FromNormalized(double normalized) const;  // curve and range, no rounding or clamping
  void InitCommon(EParamType type, const char* name, double defaultVal, double minVal,
                  double maxVal, double step, const char* label, const char* group);

  EParamType mType = kTypeNone;
  double mValue = 0.0;
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mShape = 0.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  char mName[kMaxTextLen + 1] = {};
  char mLabel[kMaxTextLen + 1] = {};
  char mGroup[kMaxTextLen + 1] = {};
  bool mNegateDisplay = false;
  std::vector<DisplayText> mDisplayTexts;
};
