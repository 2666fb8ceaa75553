// The module's product: the test plug-in with the X11 view.
#include "X11TestPlug.h"

IPlugVST* MakePlug(IPlugInstanceInfo instanceInfo) { return new X11TestPlug(instanceInfo); }
