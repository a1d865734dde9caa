#include "core/base/LargeVector.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <new>

namespace phonotab {

namespace {

constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
constexpr std::size_t kPage = std::size_t{4} << 10;

std::size_t mappedBytes(std::size_t bytes) { return (bytes + kPage - 1) & ~(kPage - 1); }

// Memory of large arrays given back, kept for the next ones: a project
// calculates file after file, and the series of one file give back what the
// next file's series take again. Fresh memory costs the kernel's zeroing of
// every page on its first touch, as much as filling it; kept memory is
// written over in place. Kept blocks are marked free for the kernel
// (MADV_FREE): under memory pressure it takes them back without writing them
// anywhere, and a page taken back reads as zeros when touched again. At most
// a bounded amount is kept, the blocks given back last; a request that no
// kept block covers first gives the kept blocks smaller than itself back
// (they cannot serve it), so that kept memory does not add to the peak of a
// calculation whose series grow.
class KeptBlocks {
public:
    // A kept block of at least `length` bytes, cut to that length; null when none.
    void* take(std::size_t length) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::size_t best = count_;
        for (std::size_t i = 0; i < count_; ++i)
            if (blocks_[i].length >= length && (best == count_ || blocks_[i].length < blocks_[best].length)) best = i;
        if (best == count_) {
            // None is large enough: those too small go back.
            std::size_t kept = 0;
            for (std::size_t i = 0; i < count_; ++i) {
                if (blocks_[i].length < length)
                    release(blocks_[i]);
                else
                    blocks_[kept++] = blocks_[i];
            }
            count_ = kept;
            return nullptr;
        }
        const Block b = blocks_[best];
        bytes_ -= b.length;
        remove(best);
        if (b.length > length) ::munmap(static_cast<char*>(b.p) + length, b.length - length);
        return b.p;
    }

    // Keeps a block given back (unmapping the oldest kept ones beyond the
    // bound), or unmaps it.
    void keep(void* p, std::size_t length) {
        const std::size_t limit = keptLimit();
        if (length > limit) {
            ::munmap(p, length);
            return;
        }
#ifdef MADV_FREE
        ::madvise(p, length, MADV_FREE);
#endif
        std::lock_guard<std::mutex> lock(mutex_);
        while (count_ > 0 && (count_ == kMaxBlocks || bytes_ + length > limit)) {
            release(blocks_[0]);
            remove(0);
        }
        blocks_[count_++] = {p, length};
        bytes_ += length;
    }

private:
    struct Block {
        void* p;
        std::size_t length;
    };
    static constexpr std::size_t kMaxBlocks = 64;

    // An eighth of the memory, at most 1 GiB.
    static std::size_t keptLimit() {
        static const std::size_t limit = [] {
            const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
            const std::size_t memory =
                pages > 0 && pageSize > 0 ? static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize) : 0;
            return std::min(memory / 8, std::size_t{1} << 30);
        }();
        return limit;
    }

    void release(const Block& b) {
        ::munmap(b.p, b.length);
        bytes_ -= b.length;
    }
    // Removes slot i, keeping the order (oldest first).
    void remove(std::size_t i) {
        std::copy(blocks_ + i + 1, blocks_ + count_, blocks_ + i);
        --count_;
    }

    std::mutex mutex_;
    Block blocks_[kMaxBlocks];  // oldest first
    std::size_t count_ = 0;
    std::size_t bytes_ = 0;
};

KeptBlocks& keptBlocks() {
    static KeptBlocks* kept = new KeptBlocks;  // never destroyed: arrays may be given back during exit
    return *kept;
}

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
    if (void* kept = keptBlocks().take(length)) return kept;
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
    if (p) keptBlocks().keep(p, mappedBytes(bytes));
}

}  // namespace phonotab
