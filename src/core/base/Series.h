// A level series: one double per sample, millions of them.
//
// Its allocator leaves new elements uninitialised instead of zeroing them: the
// readers write every element anyway, and a second pass over hundreds of
// megabytes (and the page faults it would take on one thread) is what made
// loading slow. Use resize() only when every new element is written next.
// Large series get memory of their own (allocateLargeArray): aligned to huge
// pages, so that whole-line stores and huge pages cover them from the start.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

#include "core/base/LargeVector.h"

namespace phonotab {

// Under the address sanitizer every series comes from the ordinary heap, so
// that reads and writes past a series' end are still caught.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kLargeSeriesHaveOwnMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kLargeSeriesHaveOwnMemory = false;
#else
inline constexpr bool kLargeSeriesHaveOwnMemory = true;
#endif
#else
inline constexpr bool kLargeSeriesHaveOwnMemory = true;
#endif

template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    T* allocate(std::size_t n) {
        if (!kLargeSeriesHaveOwnMemory || n < kLargeArrayBytes / sizeof(T)) return std::allocator<T>::allocate(n);
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(allocateLargeArray(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (!kLargeSeriesHaveOwnMemory || n < kLargeArrayBytes / sizeof(T))
            std::allocator<T>::deallocate(p, n);
        else
            freeLargeArray(p, n * sizeof(T));
    }
    template <typename U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using Series = std::vector<double, DefaultInitAllocator<double>>;

}  // namespace phonotab
