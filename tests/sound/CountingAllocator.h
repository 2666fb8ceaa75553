// Counts the heap operations (allocations and frees, through operator new and delete in every
// form and through the C allocator) that the calling thread makes inside a CountedRegion.
// CountingAllocator.cpp replaces the global allocation functions; the executable exports them
// (-rdynamic), so a dlopen'ed library's calls land there too.
#pragma once

#include <cstdint>

namespace alloccount {

// Marks the calling thread as counting while it lives; regions do not nest.
class CountedRegion {
 public:
  CountedRegion();
  ~CountedRegion();
  CountedRegion(const CountedRegion&) = delete;
  CountedRegion& operator=(const CountedRegion&) = delete;
};

// Heap operations counted so far, over all threads' regions.
int64_t countedOperations();

}  // namespace alloccount
