#include "LICE_CachedFont.h"
