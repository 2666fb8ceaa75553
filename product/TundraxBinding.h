// The binding the product is compiled against: each plug-in library builds Tundrax.cpp once,
// with TUNDRAX_LV2 defined for the LV2 library and not for the VST2 one.
#pragma once

#if defined(TUNDRAX_LV2)
#include "lv2/IPlugLV2.h"
using TundraxBinding = IPlugLV2;
#else
#include "vst2/IPlugVST.h"
using TundraxBinding = IPlugVST;
#endif
