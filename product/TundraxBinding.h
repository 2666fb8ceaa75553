// The binding the product is compiled against: each plug-in library builds Tundrax.cpp once,
// with TUNDRAX_LV2 defined for the LV2 library and not for the VST2 one.
#pragma once

//
// Only the VST2 library builds the editor into the plug-in; an LV2 host shows a plug-in's editor
// from a separate UI binary (ui:X11UI), which the LV2 bundle will announce.
#if defined(TUNDRAX_LV2)
#include "lv2/IPlugLV2.h"
using TundraxBinding = IPlugLV2;
constexpr bool kTundraxEmbedsEditor = false;
#else
#include "vst2/IPlugVST.h"
using TundraxBinding = IPlugVST;
constexpr bool kTundraxEmbedsEditor = true;
#endif
