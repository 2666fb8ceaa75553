#include "BitmapCache.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "LICE_Bitmap.h"

namespace {
struct Entry {
  int id = -1;
  std::unique_ptr<LICE_IBitmap> bitmap;
  bool decoding = false;  // a thread is decoding this id outside the lock
  bool retained = false;  // made at run time; no id
};

// Destroyed at unload (exit or dlclose), deleting every raster it still holds.
struct Cache {
  std::mutex mutex;
  std::condition_variable decoded;
  std::vector<std::unique_ptr<Entry>> entries;
  int decodes = 0;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

Entry* Find(Cache& cache, int id) {
  for (auto& e : cache.entries) {
    if (!e->retained && e->id == id) return e.get();
  }
  return nullptr;
}

void Erase(Cache& cache, const Entry* entry) {
  std::erase_if(cache.entries, [entry](const auto& e) { return e.get() == entry; });
}
}  // namespace

LICE_IBitmap* BitmapCache::Load(int id, const Decoder& decode) {
  Cache& cache = TheCache();
  std::unique_lock lock(cache.mutex);
  for (;;) {
    Entry* found = Find(cache, id);
    if (!found) break;
    if (!found->decoding) return found->bitmap.get();
    cache.decoded.wait(lock);  // the other thread's result, or its failure, is then in the list
    if (!Find(cache, id)) return nullptr;
  }
  auto owned = std::make_unique<Entry>();
  owned->id = id;
  owned->decoding = true;
  Entry* entry = owned.get();
  cache.entries.push_back(std::move(owned));
  ++cache.decodes;
  lock.unlock();

  std::unique_ptr<LICE_IBitmap> bitmap;
  try {
    bitmap.reset(decode ? decode() : nullptr);
  } catch (...) {
    // A decoder that throws (out of memory) counts as a failed decoding.
  }

  lock.lock();
  LICE_IBitmap* result = bitmap.get();
  if (bitmap) {
    entry->bitmap = std::move(bitmap);
    entry->decoding = false;
  } else {
    Erase(cache, entry);
  }
  cache.decoded.notify_all();
  return result;
}

void BitmapCache::Retain(LICE_IBitmap* bitmap) {
  if (!bitmap) return;
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  auto entry = std::make_unique<Entry>();
  entry->bitmap.reset(bitmap);
  entry->retained = true;
  cache.entries.push_back(std::move(entry));
}

void BitmapCache::Release(LICE_IBitmap* bitmap) {
  if (!bitmap) return;
  Cache& cache = TheCache();
  std::unique_ptr<Entry> removed;
  {
    std::lock_guard lock(cache.mutex);
    auto it = std::find_if(cache.entries.begin(), cache.entries.end(),
                           [bitmap](const auto& e) { return e->bitmap.get() == bitmap; });
    if (it == cache.entries.end()) return;
    removed = std::move(*it);
    cache.entries.erase(it);
  }
}

int BitmapCache::DecodeCount() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  return cache.decodes;
}
