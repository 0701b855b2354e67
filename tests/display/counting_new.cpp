// Replaces the global allocation functions with counting ones; the library's
// array and nothrow forms all come down to these. Kept in its own file so the
// compiler cannot inline them into callers and mistake the malloc/free
// pairing for a mismatched new and free.
#include "tests/display/counting_new.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> g_allocations{0};
}

long AllocationsSoFar() {
    return g_allocations.load();
}

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
