#pragma once
// The editor's layout as plain data: the bitmap resources (id, file under the bundle's
// resources/img/ folder, frame count) and the 22 controls in the order the editor attaches
// them after the background (which is also the drawing order). The product's constructor
// builds the editor from it; the artwork generator draws each control's place on the
// background from it. Constants only: any thread, no state.
//
// A control placed by a point gets the rectangle (x, y, x + W, y + H / N) from its bitmap
// (W × H, N frames); the compressor knobs have an explicit rectangle whose upper
// kLabelStripHeight rows are the label strip and whose lower 75 × 75 pixels show the knob.

namespace tundrax::layout {

inline constexpr int kEditorWidth = 900;
inline constexpr int kEditorHeight = 620;
inline constexpr const char* kResourceFolder = "resources/img/";
inline constexpr int kLabelStripHeight = 32;
inline constexpr int kKnobFrameSize = 75;

enum ResourceId : int {
  kBackground = 101,
  kBypassWarmth = 105,
  kBypassBoxiness = 106,
  kBypassClick = 107,
  kFreqWarmth = 108,
  kFreqBoxiness = 109,
  kFreqClick = 110,
  kGainWarmth = 111,
  kGainBoxiness = 112,
  kGainClick = 113,
  kQValues = 114,
  kQIcon = 115,
  kCompressorKnob = 116,
  kMeterGainReduction = 117,
  kMeterOutput = 118,
};

struct Resource {
  int id;
  const char* file;  // inside kResourceFolder
  int frames;        // stacked vertically
};

inline constexpr Resource kResources[] = {
    {kBackground, "background.png", 1},
    {kBypassWarmth, "bypassWarmth.png", 2},
    {kBypassBoxiness, "bypassBoxiness.png", 2},
    {kBypassClick, "bypassClick.png", 2},
    {kFreqWarmth, "freqWarmth.png", 3},
    {kFreqBoxiness, "freqBoxiness.png", 3},
    {kFreqClick, "freqClick.png", 3},
    {kGainWarmth, "gainWarmth.png", 3},
    {kGainBoxiness, "gainBoxiness.png", 3},
    {kGainClick, "gainClick.png", 3},
    {kQValues, "QValues.png", 3},
    {kQIcon, "QIcon.png", 1},
    {kCompressorKnob, "compressorKnob.png", 101},
    {kMeterGainReduction, "meterGainreduction.png", 101},
    {kMeterOutput, "meterOutput.png", 101},
};

// Null for an unknown id.
constexpr const Resource* FindResource(int id) {
  for (const Resource& r : kResources)
    if (r.id == id) return &r;
  return nullptr;
}

enum class ControlKind {
  kSwitch,        // ISwitchControl: two-frame bypass switch
  kStepSelector,  // ControlKnob: three positions, stepped by clicks in its left 61 pixels
  kQSwitch,       // ControlQSwitch: three click columns
  kIcon,          // IBitmapControl without a parameter
  kHoverKnob,     // ControlKnobHover: label strip above a 101-frame knob
  kPeakMeter,     // ControlPeakMeter: 101 frames, -48 dB .. 0 dB
};

struct Control {
  ControlKind kind;
  int param;                   // parameter index, -1 for none
  int resource;                // ResourceId
  int x, y;                    // top-left corner
  int right = 0, bottom = 0;   // explicit rectangle (hover knobs); 0: the bitmap gives the size
  int labelHeight = 0;         // hover knobs: rows of the label strip
  bool negateDisplay = false;  // hover knobs: value shown with a leading "-"
};

inline constexpr Control kControls[] = {
    {ControlKind::kSwitch, 0, kBypassWarmth, 28, 97},
    {ControlKind::kSwitch, 1, kBypassBoxiness, 314, 97},
    {ControlKind::kSwitch, 2, kBypassClick, 600, 97},
    {ControlKind::kStepSelector, 3, kFreqWarmth, 32, 264},
    {ControlKind::kStepSelector, 6, kFreqBoxiness, 318, 264},
    {ControlKind::kStepSelector, 9, kFreqClick, 603, 264},
    {ControlKind::kStepSelector, 4, kGainWarmth, 178, 264},
    {ControlKind::kStepSelector, 7, kGainBoxiness, 464, 264},
    {ControlKind::kStepSelector, 10, kGainClick, 749, 264},
    {ControlKind::kQSwitch, 5, kQValues, 29, 325},
    {ControlKind::kQSwitch, 8, kQValues, 317, 326},
    {ControlKind::kQSwitch, 11, kQValues, 603, 326},
    {ControlKind::kIcon, -1, kQIcon, 30, 342},
    {ControlKind::kIcon, -1, kQIcon, 318, 342},
    {ControlKind::kIcon, -1, kQIcon, 604, 343},
    {ControlKind::kHoverKnob, 12, kCompressorKnob, 65, 428, 140, 535, kLabelStripHeight},
    {ControlKind::kHoverKnob, 13, kCompressorKnob, 237, 428, 312, 535, kLabelStripHeight, true},
    {ControlKind::kHoverKnob, 14, kCompressorKnob, 408, 428, 483, 535, kLabelStripHeight},
    {ControlKind::kHoverKnob, 15, kCompressorKnob, 580, 428, 655, 535, kLabelStripHeight},
    {ControlKind::kHoverKnob, 16, kCompressorKnob, 754, 428, 829, 535, kLabelStripHeight},
    {ControlKind::kPeakMeter, -1, kMeterGainReduction, 92, 397},
    {ControlKind::kPeakMeter, -1, kMeterOutput, 92, 583},
};

inline constexpr int kControlCount = int(sizeof kControls / sizeof kControls[0]);
static_assert(kControlCount == 22);

// Indices into kControls of the controls the plug-in keeps pointers to.
inline constexpr int kQIconControls[3] = {12, 13, 14};  // Warmth, Boxiness, Click
inline constexpr int kGainReductionMeterControl = 20;
inline constexpr int kOutputMeterControl = 21;

}  // namespace tundrax::layout
