#include "tests/sound/CountingAllocator.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* pointer);
}

namespace alloccount {

namespace {

thread_local bool tCounting = false;
std::atomic<int64_t> gOperations{0};

void note() {
  if (tCounting) gOperations.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

CountedRegion::CountedRegion() { tCounting = true; }
CountedRegion::~CountedRegion() { tCounting = false; }

int64_t countedOperations() { return gOperations.load(); }

}  // namespace alloccount

#define EXPORTED __attribute__((visibility("default")))

// The C allocator.
extern "C" {

EXPORTED void* malloc(std::size_t size) noexcept {
  alloccount::note();
  return __libc_malloc(size);
}

EXPORTED void* calloc(std::size_t count, std::size_t size) noexcept {
  alloccount::note();
  return __libc_calloc(count, size);
}

EXPORTED void* realloc(void* pointer, std::size_t size) noexcept {
  alloccount::note();
  return __libc_realloc(pointer, size);
}

EXPORTED void free(void* pointer) noexcept {
  if (pointer) alloccount::note();
  __libc_free(pointer);
}

EXPORTED void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
  alloccount::note();
  return __libc_memalign(alignment, size);
}

EXPORTED int posix_memalign(void** out, std::size_t alignment, std::size_t size) noexcept {
  alloccount::note();
  if (alignment < sizeof(void*) || (alignment & (alignment - 1)) != 0) return EINVAL;
  void* pointer = __libc_memalign(alignment, size);
  if (!pointer) return ENOMEM;
  *out = pointer;
  return 0;
}

}  // extern "C"

// Every form of operator new and delete.
namespace {

void* allocate(std::size_t size, std::size_t alignment = 0) {
  alloccount::note();
  if (size == 0) size = 1;
  return alignment > alignof(std::max_align_t) ? __libc_memalign(alignment, size)
                                               : __libc_malloc(size);
}

void* allocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  void* pointer = allocate(size, alignment);
  if (!pointer) throw std::bad_alloc();
  return pointer;
}

void release(void* pointer) {
  if (pointer) alloccount::note();
  __libc_free(pointer);
}

std::size_t bytes(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

EXPORTED void* operator new(std::size_t size) { return allocateOrThrow(size); }
EXPORTED void* operator new[](std::size_t size) { return allocateOrThrow(size); }
EXPORTED void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
EXPORTED void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
EXPORTED void* operator new(std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, bytes(alignment));
}
EXPORTED void* operator new[](std::size_t size, std::align_val_t alignment) {
  return allocateOrThrow(size, bytes(alignment));
}
EXPORTED void* operator new(std::size_t size, std::align_val_t alignment,
                            const std::nothrow_t&) noexcept {
  return allocate(size, bytes(alignment));
}
EXPORTED void* operator new[](std::size_t size, std::align_val_t alignment,
                              const std::nothrow_t&) noexcept {
  return allocate(size, bytes(alignment));
}

EXPORTED void operator delete(void* pointer) noexcept { release(pointer); }
EXPORTED void operator delete[](void* pointer) noexcept { release(pointer); }
EXPORTED void operator delete(void* pointer, std::size_t) noexcept { release(pointer); }
EXPORTED void operator delete[](void* pointer, std::size_t) noexcept { release(pointer); }
EXPORTED void operator delete(void* pointer, const std::nothrow_t&) noexcept { release(pointer); }
EXPORTED void operator delete[](void* pointer, const std::nothrow_t&) noexcept { release(pointer); }
EXPORTED void operator delete(void* pointer, std::align_val_t) noexcept { release(pointer); }
EXPORTED void operator delete[](void* pointer, std::align_val_t) noexcept { release(pointer); }
EXPORTED void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept {
  release(pointer);
}
EXPORTED void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept {
  release(pointer);
}
EXPORTED void operator delete(void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
  release(pointer);
}
EXPORTED void operator delete[](void* pointer, std::align_val_t, const std::nothrow_t&) noexcept {
  release(pointer);
}
