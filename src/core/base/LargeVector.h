// Sizing of large numeric vectors (series of millions of samples).
//
// A fresh vector of hundreds of megabytes costs more in page faults than in
// filling it: the kernel maps it 4 KiB at a time. Asking for transparent huge
// pages before the first touch maps it 2 MiB at a time.
#pragma once

#include <cstddef>
#include <vector>

namespace phonotab {

// Advises the kernel to back [p, p + bytes) with huge pages where it can.
void adviseHugePages(void* p, std::size_t bytes);

// resize() of a vector that is about to be large and is still untouched.
template <typename T>
void resizeLarge(std::vector<T>& v, std::size_t n, const T& value = T()) {
    if (v.capacity() < n && n * sizeof(T) >= (std::size_t{4} << 20)) {
        std::vector<T> fresh;
        fresh.reserve(n);
        adviseHugePages(fresh.data(), n * sizeof(T));
        fresh.assign(v.begin(), v.end());
        v.swap(fresh);
    }
    v.resize(n, value);
}

}  // namespace phonotab
