#include "core/base/LargeVector.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace phonotab {

namespace {

constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
constexpr std::size_t kPage = std::size_t{4} << 10;

std::size_t mappedBytes(std::size_t bytes) { return (bytes + kPage - 1) & ~(kPage - 1); }

}  // namespace

void adviseHugePages(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void* allocateLargeArray(std::size_t bytes) {
    if (bytes > SIZE_MAX - 2 * kHuge) throw std::bad_alloc();
    const std::size_t length = mappedBytes(bytes);
    // Over-map by a huge page, then unmap the unaligned head and the tail.
    void* raw = ::mmap(nullptr, length + kHuge, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const auto aligned = (start + kHuge - 1) & ~(kHuge - 1);
    if (aligned > start) ::munmap(raw, aligned - start);
    const std::size_t after = start + length + kHuge - (aligned + length);
    if (after > 0) ::munmap(reinterpret_cast<void*>(aligned + length), after);
    void* p = reinterpret_cast<void*>(aligned);
    adviseHugePages(p, length);
    return p;
}

void freeLargeArray(void* p, std::size_t bytes) noexcept {
    if (p) ::munmap(p, mappedBytes(bytes));
}

}  // namespace phonotab
