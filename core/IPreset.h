// One entry of the plug-in's preset list (the host calls them programs): a name, whether it
// holds state yet, and that state as written by SerializeState.
#pragma once

#include "ByteChunk.h"

struct IPreset {
  // Names are stored up to this many characters; longer host-given names are cut there.
  static constexpr int kMaxNameLen = 255;

  bool mInitialized = false;
  char mName[kMaxNameLen + 1] = "empty";
  ByteChunk mChunk;
};
