#include "allocation_count.h"

#include <cstdlib>
#include <new>

namespace {

long allocations = 0;

}  // namespace

long AllocationCount() { return allocations; }

// Kept out of the benchmarks' own file so the compiler never inlines them into a caller.
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t /*size*/) noexcept { std::free(p); }
