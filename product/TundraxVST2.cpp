// The VST2 library's product: Tundrax itself.
#include "Tundrax.h"

IPlugVST* MakePlug(IPlugInstanceInfo instanceInfo) { return new Tundrax(instanceInfo); }
