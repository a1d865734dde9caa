// Backing of large numeric arrays (series of millions of samples).
//
// A fresh vector of hundreds of megabytes costs more in page faults than in
// filling it: the kernel maps it 4 KiB at a time. Asking for transparent huge
// pages before the first touch maps it 2 MiB at a time.
#pragma once

#include <cstddef>

namespace phonotab {

// Advises the kernel to back [p, p + bytes) with huge pages where it can.
void adviseHugePages(void* p, std::size_t bytes);

// Arrays from this size on get memory of their own (allocateLargeArray).
constexpr std::size_t kLargeArrayBytes = std::size_t{4} << 20;

// Memory for one large array, its contents unspecified: 2 MiB aligned and
// advised for huge pages from its first byte (a large malloc is only 4 KiB
// aligned, so its first and last partial huge pages fall back to small pages,
// and its lines are not aligned for whole-line stores). Throws std::bad_alloc.
void* allocateLargeArray(std::size_t bytes);
// Gives back what allocateLargeArray(bytes) returned.
void freeLargeArray(void* p, std::size_t bytes) noexcept;

}  // namespace phonotab
