// The process-wide cache of decoded editor images, shared by every editor of every plug-in
// instance in the host process. Images are keyed by their integer id only and decoded once
// per process; the cache owns the rasters and deletes them when the module unloads.
//
// Threads: any. One mutex guards the entry list; it is never held while an image decodes.
// A caller asking for an id whose decoding is under way on another thread waits for that
// decoding instead of starting a second one. A failed decoding is not remembered, so a later
// request tries again.
#pragma once

#include <functional>

class LICE_IBitmap;

namespace BitmapCache {
using Decoder = std::function<LICE_IBitmap*()>;

// The cached raster for id, decoding it with decode (outside the lock) on first use.
// Null when decoding fails. Rasters stay valid until Release or unload.
LICE_IBitmap* Load(int id, const Decoder& decode);
// The cache takes ownership of a raster made at run time (id -1 entries, never found by Load).
void Retain(LICE_IBitmap* bitmap);
// Removes the entry holding bitmap and deletes the raster; nothing when absent.
void Release(LICE_IBitmap* bitmap);

// For tests: how many decodings Load has started in this process.
int DecodeCount();
}  // namespace BitmapCache
