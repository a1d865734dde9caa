// A level series: one double per sample, millions of them.
//
// Its allocator leaves new elements uninitialised instead of zeroing them: the
// readers write every element anyway, and a second pass over hundreds of
// megabytes (and the page faults it would take on one thread) is what made
// loading slow. Use resize() only when every new element is written next.
#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace phonotab {

template <typename T>
struct DefaultInitAllocator : std::allocator<T> {
    using std::allocator<T>::allocator;
    template <typename U>
    struct rebind {
        using other = DefaultInitAllocator<U>;
    };
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
