// Counts every byte the program asks of operator new, so a test can tell how
// much memory reading a file took without timing anything.
#include <atomic>
#include <cstdlib>
#include <new>

#include "Haertung.h"

namespace {
std::atomic<std::size_t> angefordert{0};
}

namespace ventaro::test {
std::size_t AngeforderteBytes() { return angefordert.load(); }
}  // namespace ventaro::test

void* operator new(std::size_t n) {
    angefordert += n;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return ::operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
