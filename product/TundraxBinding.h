// The binding the product is compiled against: each plug-in library builds Tundrax.cpp once,
// with TUNDRAX_LV2 defined for the LV2 plug-in, TUNDRAX_LV2_UI for its UI and neither for VST2.
#pragma once

//
// The VST2 plug-in carries its editor; an LV2 host shows a plug-in's editor from a separate UI
// binary (ui:X11UI), so the LV2 plug-in has none and the LV2 UI instance is little else.
#if defined(TUNDRAX_LV2_UI)
#include "lv2/ui/IPlugLV2UI.h"
using TundraxBinding = IPlugLV2UI;
constexpr bool kTundraxHasEditor = true;
#elif defined(TUNDRAX_LV2)
#include "lv2/IPlugLV2.h"
using TundraxBinding = IPlugLV2;
constexpr bool kTundraxHasEditor = false;
#else
#include "vst2/IPlugVST.h"
using TundraxBinding = IPlugVST;
constexpr bool kTundraxHasEditor = true;
#endif
