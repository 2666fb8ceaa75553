// The process-wide cache of text fonts, shared by every editor in the host process: one
// LICE_CachedFont per face, size, orientation, style and quality, made on first use and
// deleted when the module unloads.
//
// Threads: any. One mutex guards the list; fonts are made outside it (two threads missing
// at once both make one, and the later one is dropped). Drawing with a font is for the
// editor thread only (see LICE_CachedFont.h).
#pragma once

struct IText;
class LICE_IFont;

namespace FontCache {
// The font for the text style, or null when no font can be made. The cache keeps ownership.
LICE_IFont* Get(const IText& text);
// For tests: how many fonts the cache holds.
int Size();
}  // namespace FontCache
